#pragma once

// The two sides of the personality's JSON form. Every object lists its members once, as a
// template over a visitor; FieldWriter turns the list into JSON and FieldReader checks
// JSON against it, so the writer and the reader cannot drift apart.

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

class FieldWriter {
  public:
    explicit FieldWriter(Value& object) : out_(object) {}

    void text(const char* key, const std::string& bytes) {
        out_.add(key, Value::makeString(latin1ToUtf8(bytes)));
    }
    template <class T>
    void integer(const char* key, const T& v, long long, long long) {
        out_.add(key, Value::makeNumber(static_cast<double>(v)));
    }
    void flag(const char* key, const bool& v) { out_.add(key, Value::makeBool(v)); }
    void real(const char* key, const double& v, double, double) {
        out_.add(key, Value::makeNumber(v));
    }
    void bytes(const char* key, const std::vector<std::uint8_t>& v, std::size_t) {
        out_.add(key, Value::makeString(hexOf(v)));
    }
    template <class List, class Each>
    void list(const char* key, List& items, std::size_t, Each each) {
        Value& array = out_.add(key, Value::makeArray());
        for (auto& item : items) {
            Value slot = Value::makeObject();
            FieldWriter inner(slot);
            each(inner, item);
            array.items.push_back(slot.members.front().second);
        }
    }
    template <class List, class Each>
    void objects(const char* key, List& items, std::size_t, Each each) {
        Value& array = out_.add(key, Value::makeArray());
        for (auto& item : items) {
            FieldWriter inner(array.items.emplace_back(Value::makeObject()));
            each(inner, item);
        }
    }
    template <class Each>
    void object(const char* key, Each each) {
        FieldWriter inner(out_.add(key, Value::makeObject()));
        each(inner);
    }
    void raw(const char* key, Value v) { out_.add(key, std::move(v)); }
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

    void text(const char* key, std::string& bytes) {
        if (const Value* v = take(key, Value::Kind::String))
            if (!utf8ToLatin1(v->text, bytes))
                fail(at(key), "holds a character that is not Latin-1 (U+0000 to U+00FF)");
    }
    template <class T>
    void integer(const char* key, T& v, long long lo, long long hi) {
        if (const Value* n = take(key, Value::Kind::Number)) {
            if (n->number != std::floor(n->number))
                fail(at(key), "expected a whole number");
            else if (n->number < static_cast<double>(lo) || n->number > static_cast<double>(hi))
                fail(at(key),
                     "out of range (" + std::to_string(lo) + " to " + std::to_string(hi) + ")");
            else
                v = static_cast<T>(n->number);
        }
    }
    void flag(const char* key, bool& v) {
        if (const Value* b = take(key, Value::Kind::Bool)) v = b->boolean;
    }
    void real(const char* key, double& v, double lo, double hi) {
        if (const Value* n = take(key, Value::Kind::Number)) {
            if (n->number < lo || n->number > hi)
                fail(at(key), "out of range (" + plainNumber(lo) + " to " + plainNumber(hi) + ")");
            else
                v = n->number;
        }
    }
    void bytes(const char* key, std::vector<std::uint8_t>& v, std::size_t max) {
        if (const Value* s = take(key, Value::Kind::String)) {
            if (!bytesOfHex(s->text, v))
                fail(at(key), "expected pairs of hexadecimal digits");
            else if (v.size() > max)
                fail(at(key), "more than " + std::to_string(max) + " bytes");
        }
    }
    // A list of plain values; `each` reads member "" of a one-member object.
    template <class List, class Each>
    void list(const char* key, List& items, std::size_t max, Each each) {
        const Value* array = take(key, Value::Kind::Array);
        if (!array || !sized(key, items, array->items.size(), max)) return;
        for (std::size_t i = 0; i < array->items.size() && ok(); ++i) {
            Value slot = Value::makeObject();
            slot.add("", array->items[i]);
            FieldReader inner(slot, at(key) + "/" + std::to_string(i), error_);
            inner.element_ = true;
            each(inner, items[i]);
        }
    }
    template <class List, class Each>
    void objects(const char* key, List& items, std::size_t max, Each each) {
        const Value* array = take(key, Value::Kind::Array);
        if (!array || !sized(key, items, array->items.size(), max)) return;
        for (std::size_t i = 0; i < array->items.size() && ok(); ++i) {
            FieldReader inner(array->items[i], at(key) + "/" + std::to_string(i), error_);
            each(inner, items[i]);
            inner.finish();
        }
    }
    template <class Each>
    void object(const char* key, Each each) {
        if (const Value* v = take(key, Value::Kind::Object)) {
            FieldReader inner(*v, at(key), error_);
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
