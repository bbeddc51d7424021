#pragma once

// The two sides of the personality's JSON form. Every object lists its members once, as a
// template over a visitor (item_fields.h); FieldWriter turns the list into JSON and
// FieldReader checks JSON against it, so the writer and the reader cannot drift apart. The
// description of an object goes through the same list (FieldDescriber).

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "plugin/store/json_value.h"

namespace tw::json {

// Names are bytes; in JSON each byte is the Latin-1 character of that code.
std::string latin1ToUtf8(const std::string& bytes);
// False when the text holds a character above U+00FF.
bool utf8ToLatin1(const std::string& text, std::string& bytes);

std::string hexOf(const std::vector<std::uint8_t>& bytes);
bool bytesOfHex(const std::string& text, std::vector<std::uint8_t>& bytes);

// A member's name in JSON and, where the description calls it otherwise, there.
struct Key {
    constexpr Key(const char* name) : json(name), shown(name) {}
    constexpr Key(const char* jsonName, const char* shownName) : json(jsonName), shown(shownName) {}
    const char* json;
    const char* shown;
};

class FieldWriter {
  public:
    explicit FieldWriter(Value& object) : out_(object) {}

    void text(Key key, const std::string& bytes) {
        out_.add(key.json, Value::makeString(latin1ToUtf8(bytes)));
    }
    template <class T>
    void integer(Key key, const T& v, long long, long long) {
        out_.add(key.json, Value::makeNumber(static_cast<double>(v)));
    }
    void flag(Key key, const bool& v) { out_.add(key.json, Value::makeBool(v)); }
    void real(Key key, const double& v, double, double) {
        out_.add(key.json, Value::makeNumber(v));
    }
    void bytes(Key key, const std::vector<std::uint8_t>& v, std::size_t) {
        out_.add(key.json, Value::makeString(hexOf(v)));
    }
    template <class List, class Each>
    void list(Key key, List& items, std::size_t, Each each) {
        Value& array = out_.add(key.json, Value::makeArray());
        for (auto& item : items) {
            Value slot = Value::makeObject();
            FieldWriter inner(slot);
            each(inner, item);
            array.items.push_back(slot.members.front().second);
        }
    }
    template <class List, class Each>
    void objects(Key key, List& items, std::size_t, Each each) {
        Value& array = out_.add(key.json, Value::makeArray());
        for (auto& item : items) {
            FieldWriter inner(array.items.emplace_back(Value::makeObject()));
            each(inner, item);
        }
    }
    template <class Each>
    void object(Key key, Each each) {
        FieldWriter inner(out_.add(key.json, Value::makeObject()));
        each(inner);
    }
    void raw(Key key, Value v) { out_.add(key.json, std::move(v)); }
    bool ok() const { return true; }

  private:
    Value& out_;
};

class FieldReader {
  public:
    FieldReader(const Value& object, std::string path, std::string& error)
        : in_(object), path_(std::move(path)), error_(error) {
        if (in_.kind != Value::Kind::Object) fail(path_, "expected an object");
    }

    void text(Key key, std::string& bytes) {
        if (const Value* v = take(key.json, Value::Kind::String))
            if (!utf8ToLatin1(v->text, bytes))
                fail(at(key.json), "holds a character that is not Latin-1 (U+0000 to U+00FF)");
    }
    template <class T>
    void integer(Key key, T& v, long long lo, long long hi) {
        if (const Value* n = take(key.json, Value::Kind::Number)) {
            if (n->number != std::floor(n->number))
                fail(at(key.json), "expected a whole number");
            else if (n->number < static_cast<double>(lo) || n->number > static_cast<double>(hi))
                fail(at(key.json),
                     "out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
            else
                v = static_cast<T>(n->number);
        }
    }
    void flag(Key key, bool& v) {
        if (const Value* b = take(key.json, Value::Kind::Bool)) v = b->boolean;
    }
    void real(Key key, double& v, double lo, double hi) {
        if (const Value* n = take(key.json, Value::Kind::Number)) {
            if (n->number < lo || n->number > hi)
                fail(at(key.json),
                     "out of range (" + plainNumber(lo) + " to " + plainNumber(hi) + ")");
            else
                v = n->number;
        }
    }
    void bytes(Key key, std::vector<std::uint8_t>& v, std::size_t max) {
        if (const Value* s = take(key.json, Value::Kind::String)) {
            if (!bytesOfHex(s->text, v))
                fail(at(key.json), "expected pairs of hexadecimal digits");
            else if (v.size() > max)
                fail(at(key.json), "more than " + std::to_string(max) + " bytes");
        }
    }
    // A list of plain values; `each` reads member "" of a one-member object.
    template <class List, class Each>
    void list(Key key, List& items, std::size_t max, Each each) {
        const Value* array = take(key.json, Value::Kind::Array);
        if (!array || !sized(key.json, items, array->items.size(), max)) return;
        for (std::size_t i = 0; i < array->items.size() && ok(); ++i) {
            Value slot = Value::makeObject();
            slot.add("", array->items[i]);
            FieldReader inner(slot, at(key.json) + "/" + std::to_string(i), error_);
            inner.element_ = true;
            each(inner, items[i]);
        }
    }
    template <class List, class Each>
    void objects(Key key, List& items, std::size_t max, Each each) {
        const Value* array = take(key.json, Value::Kind::Array);
        if (!array || !sized(key.json, items, array->items.size(), max)) return;
        for (std::size_t i = 0; i < array->items.size() && ok(); ++i) {
            FieldReader inner(array->items[i], at(key.json) + "/" + std::to_string(i), error_);
            each(inner, items[i]);
            inner.finish();
        }
    }
    template <class Each>
    void object(Key key, Each each) {
        if (const Value* v = take(key.json, Value::Kind::Object)) {
            FieldReader inner(*v, at(key.json), error_);
            each(inner);
            inner.finish();
        }
    }
    // Every member must have been read: anything else is a misspelling or a stray.
    void finish() {
        if (!ok() || in_.kind != Value::Kind::Object) return;
        for (const auto& [k, v] : in_.members) {
            bool known = false;
            for (const auto& t : taken_) known = known || t == k;
            if (!known) return fail(at(k), "unknown member");
        }
    }
    // Member names in file order, for objects keyed by data (option classes, sections).
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const auto& m : in_.members) out.push_back(m.first);
        return out;
    }
    bool ok() const { return error_.empty(); }
    const std::string& path() const { return path_; }
    void fail(const std::string& where, const std::string& why) {
        if (error_.empty()) error_ = (where.empty() ? "/" : where) + ": " + why;
    }
    std::string at(const std::string& key) const {
        return element_ ? path_ : path_ + "/" + pointerToken(key);
    }
    // The member, when present and of the kind asked for. A missing member leaves the
    // field as it was.
    const Value* take(const char* key, Value::Kind kind) {
        if (!ok() || in_.kind != Value::Kind::Object) return nullptr;
        taken_.emplace_back(key);
        const Value* v = in_.find(key);
        if (!v) return nullptr;
        if (v->kind != kind) {
            fail(at(key),
                 std::string("expected ") + kindName(kind) + ", found " + kindName(v->kind));
            return nullptr;
        }
        return v;
    }

  private:
    static std::string plainNumber(double d) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.10g", d);
        return buf;
    }
    template <class T>
    bool sized(const char* key, std::vector<T>& items, std::size_t n, std::size_t max) {
        if (n > max) return fail(at(key), "more than " + std::to_string(max) + " entries"), false;
        items.assign(n, T{});
        return true;
    }
    template <class T, std::size_t N>
    bool sized(const char* key, std::array<T, N>& items, std::size_t n, std::size_t) {
        if (n != N) return fail(at(key), "expected " + std::to_string(N) + " entries"), false;
        items = {};
        return true;
    }

    const Value& in_;
    std::string path_;
    std::string& error_;
    std::vector<std::string> taken_;
    bool element_ = false;
};

}  // namespace tw::json
