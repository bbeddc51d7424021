#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw::json {

struct Member;

// A parsed JSON document. Strings hold UTF-8; object members keep their order, so a file
// written, edited and written again differs only where it was edited.
struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<Value> items;
    std::vector<Member> members;

    static Value makeBool(bool b);
    static Value makeNumber(double d);
    static Value makeString(std::string s);
    static Value makeArray();
    static Value makeObject();

    // The member of that key; null when there is none or this is no object.
    const Value* find(std::string_view key) const;
    Value& add(std::string key, Value v);
};

struct Member {
    std::string first;
    Value second;
};

const char* kindName(Value::Kind kind);

// Strict RFC 8259: one value and nothing after it but white space, no duplicate keys, no
// control characters or malformed UTF-8 inside strings, no lone surrogates, numbers that
// fit a double, nesting at most kMaxDepth deep. The error names line and column.
inline constexpr int kMaxDepth = 64;
std::optional<Value> parse(std::string_view text, std::string& error);

// Two-space indented text ending in a line end. Arrays of plain values stay on one line.
// Control characters and C1 controls are written as \u00XX.
std::string write(const Value& value);

// The same text on one line, with no white space between tokens.
std::string writeCompact(const Value& value);

// Shortest text that reads back as the same double.
std::string formatNumber(double d);

// Puts `v` where a JSON Pointer says: an existing member or element is replaced, a missing
// member of an object is added, "-" appends to an array. False with `why` otherwise.
bool setAt(Value& root, std::string_view pointer, Value v, std::string& why);

// One reference token escaped for a pointer ("~" -> "~0", "/" -> "~1").
std::string pointerToken(std::string_view token);

// One place where two documents differ. `held` is absent for an added value, `file` for a
// removed one.
struct Difference {
    enum class Op { Added, Removed, Changed };
    Op op = Op::Changed;
    std::string path;  // a JSON Pointer; "" for the whole document
    std::optional<Value> held, file;
};

const char* opName(Difference::Op op);

// Where `file` differs from `held`, walking both by JSON Pointer: object members by key,
// array elements by index (no alignment: an element inserted in front changes every one after
// it). In `held`'s order, each object's or array's extras in `file` after its own members.
std::vector<Difference> differences(const Value& held, const Value& file);

// "changed /name: \"A\" -> \"B\"", "added /x: 1", "removed /y: [1]": values compact.
std::string describe(const Difference& d);

}  // namespace tw::json
