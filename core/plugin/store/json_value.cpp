#include "plugin/store/json_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tw::json {

Value Value::makeBool(bool b) {
    Value v;
    v.kind = Kind::Bool;
    v.boolean = b;
    return v;
}

Value Value::makeNumber(double d) {
    Value v;
    v.kind = Kind::Number;
    v.number = d;
    return v;
}

Value Value::makeString(std::string s) {
    Value v;
    v.kind = Kind::String;
    v.text = std::move(s);
    return v;
}

Value Value::makeArray() {
    Value v;
    v.kind = Kind::Array;
    return v;
}

Value Value::makeObject() {
    Value v;
    v.kind = Kind::Object;
    return v;
}

const Value* Value::find(std::string_view key) const {
    if (kind != Kind::Object) return nullptr;
    for (const auto& [k, v] : members)
        if (k == key) return &v;
    return nullptr;
}

Value& Value::add(std::string key, Value v) {
    members.push_back(Member{std::move(key), std::move(v)});
    return members.back().second;
}

const char* kindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null:
            return "null";
        case Value::Kind::Bool:
            return "true or false";
        case Value::Kind::Number:
            return "a number";
        case Value::Kind::String:
            return "a string";
        case Value::Kind::Array:
            return "an array";
        case Value::Kind::Object:
            return "an object";
    }
    return "?";
}

namespace {

void appendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

class Parser {
  public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<Value> document(std::string& error) {
        Value v;
        bool ok = value(v, 0);
        space();
        if (ok && pos_ != s_.size()) ok = fail("text after the end");
        if (!ok) {
            error = where() + error_;
            return std::nullopt;
        }
        return v;
    }

  private:
    std::string_view s_;
    std::size_t pos_ = 0;
    std::string error_;

    bool fail(const char* why) {
        if (error_.empty()) error_ = why;
        return false;
    }
    std::string where() const {
        int line = 1, column = 1;
        for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i) {
            if (s_[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(s_[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
    }
    void space() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
            ++pos_;
    }
    bool literal(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word) return fail("not a JSON value");
        pos_ += word.size();
        return true;
    }

    bool value(Value& v, int depth) {
        space();
        if (pos_ >= s_.size()) return fail("the text ends where a value should be");
        const char c = s_[pos_];
        if (c == '{' || c == '[') {
            if (depth >= kMaxDepth) return fail("nested too deeply");
            return c == '{' ? object(v, depth + 1) : array(v, depth + 1);
        }
        if (c == '"') {
            v.kind = Value::Kind::String;
            return string(v.text);
        }
        if (c == 't') return v = Value::makeBool(true), literal("true");
        if (c == 'f') return v = Value::makeBool(false), literal("false");
        if (c == 'n') return v = Value{}, literal("null");
        if (c == '-' || (c >= '0' && c <= '9')) return number(v);
        return fail("not a JSON value");
    }

    bool object(Value& v, int depth) {
        v = Value::makeObject();
        ++pos_;
        space();
        if (pos_ < s_.size() && s_[pos_] == '}') return ++pos_, true;
        for (;;) {
            space();
            if (pos_ >= s_.size() || s_[pos_] != '"') return fail("expected a member name");
            std::string key;
            const std::size_t keyAt = pos_;
            if (!string(key)) return false;
            if (v.find(key)) {
                pos_ = keyAt;
                return fail("a member name used twice in one object");
            }
            space();
            if (pos_ >= s_.size() || s_[pos_] != ':') return fail("expected ':'");
            ++pos_;
            if (!value(v.add(std::move(key), Value{}), depth)) return false;
            space();
            if (pos_ < s_.size() && s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < s_.size() && s_[pos_] == '}') return ++pos_, true;
            return fail("expected ',' or '}'");
        }
    }

    bool array(Value& v, int depth) {
        v = Value::makeArray();
        ++pos_;
        space();
        if (pos_ < s_.size() && s_[pos_] == ']') return ++pos_, true;
        for (;;) {
            v.items.emplace_back();
            if (!value(v.items.back(), depth)) return false;
            space();
            if (pos_ < s_.size() && s_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < s_.size() && s_[pos_] == ']') return ++pos_, true;
            return fail("expected ',' or ']'");
        }
    }

    bool number(Value& v) {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
            return pos_ > from;
        };
        if (s_[pos_] == '-') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '0')
            ++pos_;
        else if (!digits())
            return fail("a malformed number");
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (!digits()) return fail("a malformed number");
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (!digits()) return fail("a malformed number");
        }
        double d = 0;
        const auto r = std::from_chars(s_.data() + start, s_.data() + pos_, d);
        if (r.ec != std::errc() || !std::isfinite(d)) {
            pos_ = start;
            return fail("a number too large for a double");
        }
        v = Value::makeNumber(d);
        return true;
    }

    bool hex4(unsigned& out) {
        if (s_.size() - pos_ < 4) return fail("a malformed \\u escape");
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s_[pos_++];
            out <<= 4;
            if (c >= '0' && c <= '9')
                out |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                out |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                out |= static_cast<unsigned>(c - 'A' + 10);
            else
                return fail("a malformed \\u escape");
        }
        return true;
    }

    bool escape(std::string& out) {
        if (pos_ >= s_.size()) return fail("an unterminated string");
        const char c = s_[pos_++];
        static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
        if (const auto k = kFrom.find(c); k != std::string_view::npos) {
            out += kTo[k];
            return true;
        }
        if (c != 'u') return fail("an unknown escape");
        unsigned cp = 0;
        if (!hex4(cp)) return false;
        if (cp >= 0xDC00 && cp <= 0xDFFF) return fail("a lone surrogate");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            unsigned low = 0;
            if (s_.substr(pos_, 2) != "\\u") return fail("a lone surrogate");
            pos_ += 2;
            if (!hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return fail("a lone surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, cp);
        return true;
    }

    // One UTF-8 sequence copied as it is, after checking it is well formed.
    bool utf8(std::string& out) {
        const auto b = static_cast<unsigned char>(s_[pos_]);
        int extra = 0;
        unsigned cp = 0, min = 0;
        if (b >= 0xC2 && b <= 0xDF)
            extra = 1, cp = b & 0x1F, min = 0x80;
        else if (b >= 0xE0 && b <= 0xEF)
            extra = 2, cp = b & 0x0F, min = 0x800;
        else if (b >= 0xF0 && b <= 0xF4)
            extra = 3, cp = b & 0x07, min = 0x10000;
        else
            return fail("malformed UTF-8");
        if (s_.size() - pos_ <= static_cast<std::size_t>(extra)) return fail("malformed UTF-8");
        for (int i = 1; i <= extra; ++i) {
            const auto c = static_cast<unsigned char>(s_[pos_ + static_cast<std::size_t>(i)]);
            if ((c & 0xC0) != 0x80) return fail("malformed UTF-8");
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return fail("malformed UTF-8");
        out.append(s_.substr(pos_, static_cast<std::size_t>(extra) + 1));
        pos_ += static_cast<std::size_t>(extra) + 1;
        return true;
    }

    bool string(std::string& out) {
        ++pos_;
        for (;;) {
            if (pos_ >= s_.size()) return fail("an unterminated string");
            const auto c = static_cast<unsigned char>(s_[pos_]);
            if (c == '"') return ++pos_, true;
            if (c < 0x20) return fail("a control character inside a string (write \\u00XX)");
            if (c == '\\') {
                ++pos_;
                if (!escape(out)) return false;
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++pos_;
            } else if (!utf8(out)) {
                return false;
            }
        }
    }
};

void writeString(std::string& out, const std::string& s) {
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        unsigned control = 0x100;
        if (c < 0x20 || c == 0x7F) control = c;
        // C1 controls (U+0080 to U+009F) are C2 80 to C2 9F in UTF-8.
        if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(s[i + 1]) >= 0x80)
            control = static_cast<unsigned char>(s[++i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (control < 0x100) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", control);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

bool plain(const Value& v) {
    return v.kind != Value::Kind::Array && v.kind != Value::Kind::Object;
}

void writeValue(std::string& out, const Value& v, int indent) {
    const std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
    switch (v.kind) {
        case Value::Kind::Null:
            out += "null";
            return;
        case Value::Kind::Bool:
            out += v.boolean ? "true" : "false";
            return;
        case Value::Kind::Number:
            out += formatNumber(v.number);
            return;
        case Value::Kind::String:
            writeString(out, v.text);
            return;
        case Value::Kind::Array: {
            bool flat = true;
            for (const Value& item : v.items) flat = flat && plain(item);
            out += '[';
            for (std::size_t i = 0; i < v.items.size(); ++i) {
                if (i) out += flat ? ", " : ",";
                if (!flat) out += "\n" + pad + "  ";
                writeValue(out, v.items[i], indent + 1);
            }
            if (!flat && !v.items.empty()) out += "\n" + pad;
            out += ']';
            return;
        }
        case Value::Kind::Object: {
            out += '{';
            for (std::size_t i = 0; i < v.members.size(); ++i) {
                out += i ? ",\n" : "\n";
                out += pad + "  ";
                writeString(out, v.members[i].first);
                out += ": ";
                writeValue(out, v.members[i].second, indent + 1);
            }
            if (!v.members.empty()) out += "\n" + pad;
            out += '}';
            return;
        }
    }
}

void writeCompactValue(std::string& out, const Value& v) {
    if (v.kind == Value::Kind::Array) {
        out += '[';
        for (std::size_t i = 0; i < v.items.size(); ++i) {
            if (i) out += ',';
            writeCompactValue(out, v.items[i]);
        }
        out += ']';
    } else if (v.kind == Value::Kind::Object) {
        out += '{';
        for (std::size_t i = 0; i < v.members.size(); ++i) {
            if (i) out += ',';
            writeString(out, v.members[i].first);
            out += ':';
            writeCompactValue(out, v.members[i].second);
        }
        out += '}';
    } else {
        writeValue(out, v, 0);
    }
}

bool sameScalar(const Value& a, const Value& b) {
    switch (a.kind) {
        case Value::Kind::Null:
            return true;
        case Value::Kind::Bool:
            return a.boolean == b.boolean;
        case Value::Kind::Number:
            return a.number == b.number;
        case Value::Kind::String:
            return a.text == b.text;
        default:
            return false;
    }
}

void collectDifferences(const Value& held, const Value& file, const std::string& path,
                        std::vector<Difference>& out) {
    using Op = Difference::Op;
    if (held.kind != file.kind || (plain(held) && !sameScalar(held, file))) {
        out.push_back({Op::Changed, path, held, file});
    } else if (held.kind == Value::Kind::Array) {
        const std::size_t common = std::min(held.items.size(), file.items.size());
        for (std::size_t i = 0; i < common; ++i)
            collectDifferences(held.items[i], file.items[i], path + "/" + std::to_string(i), out);
        for (std::size_t i = common; i < held.items.size(); ++i)
            out.push_back({Op::Removed, path + "/" + std::to_string(i), held.items[i], {}});
        for (std::size_t i = common; i < file.items.size(); ++i)
            out.push_back({Op::Added, path + "/" + std::to_string(i), {}, file.items[i]});
    } else if (held.kind == Value::Kind::Object) {
        for (const auto& [key, value] : held.members) {
            const std::string at = path + "/" + pointerToken(key);
            if (const Value* other = file.find(key))
                collectDifferences(value, *other, at, out);
            else
                out.push_back({Op::Removed, at, value, {}});
        }
        for (const auto& [key, value] : file.members)
            if (!held.find(key))
                out.push_back({Op::Added, path + "/" + pointerToken(key), {}, value});
    }
}

}  // namespace

std::optional<Value> parse(std::string_view text, std::string& error) {
    return Parser(text).document(error);
}

std::string write(const Value& value) {
    std::string out;
    writeValue(out, value, 0);
    out += '\n';
    return out;
}

std::string writeCompact(const Value& value) {
    std::string out;
    writeCompactValue(out, value);
    return out;
}

std::string formatNumber(double d) {
    if (!std::isfinite(d)) return "null";
    if (d == 0) return "0";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

std::string pointerToken(std::string_view token) {
    std::string out;
    for (char c : token) {
        if (c == '~')
            out += "~0";
        else if (c == '/')
            out += "~1";
        else
            out += c;
    }
    return out;
}

bool setAt(Value& root, std::string_view pointer, Value v, std::string& why) {
    if (pointer.empty()) {
        root = std::move(v);
        return true;
    }
    if (pointer[0] != '/') return why = "a JSON Pointer starts with '/'", false;
    Value* at = &root;
    std::string path;
    std::size_t pos = 1;
    for (;;) {
        const std::size_t end = std::min(pointer.find('/', pos), pointer.size());
        std::string token;
        for (std::size_t i = pos; i < end; ++i) {
            if (pointer[i] != '~') {
                token += pointer[i];
            } else if (i + 1 < end && (pointer[i + 1] == '0' || pointer[i + 1] == '1')) {
                token += pointer[++i] == '0' ? '~' : '/';
            } else {
                return why = "a '~' not followed by 0 or 1 in the pointer", false;
            }
        }
        const bool last = end == pointer.size();
        path += "/" + pointerToken(token);
        Value* next = nullptr;
        if (at->kind == Value::Kind::Object) {
            for (auto& [k, member] : at->members)
                if (k == token) next = &member;
            if (!next && last) {
                at->add(token, std::move(v));
                return true;
            }
        } else if (at->kind == Value::Kind::Array) {
            if (token == "-" && last) {
                at->items.push_back(std::move(v));
                return true;
            }
            std::size_t index = 0;
            const auto r = std::from_chars(token.data(), token.data() + token.size(), index);
            const bool digits = !token.empty() && r.ec == std::errc() &&
                                r.ptr == token.data() + token.size() &&
                                (token == "0" || token[0] != '0');
            if (!digits) return why = path + ": not an array index", false;
            if (index < at->items.size()) next = &at->items[index];
        } else {
            return why = path + ": the value above is " + kindName(at->kind), false;
        }
        if (!next) return why = path + ": nothing there", false;
        if (last) {
            *next = std::move(v);
            return true;
        }
        at = next;
        pos = end + 1;
    }
}

const char* opName(Difference::Op op) {
    switch (op) {
        case Difference::Op::Added:
            return "added";
        case Difference::Op::Removed:
            return "removed";
        default:
            return "changed";
    }
}

std::vector<Difference> differences(const Value& held, const Value& file) {
    std::vector<Difference> out;
    collectDifferences(held, file, "", out);
    return out;
}

std::string describe(const Difference& d) {
    std::string line = std::string(opName(d.op)) + " " + d.path + ": ";
    if (d.held) line += writeCompact(*d.held);
    if (d.held && d.file) line += " -> ";
    if (d.file) line += writeCompact(*d.file);
    return line;
}

}  // namespace tw::json
