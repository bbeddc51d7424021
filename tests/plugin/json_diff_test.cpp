// Two JSON documents compared by JSON Pointer: what differs, in a stable order, each value on
// one line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/store/json_value.h"

namespace tw::test {
namespace {

json::Value parsed(const char* text) {
    std::string error;
    auto v = json::parse(text, error);
    EXPECT_TRUE(v) << text << ": " << error;
    return v ? *v : json::Value{};
}

std::vector<std::string> lines(const char* held, const char* file) {
    std::vector<std::string> out;
    for (const auto& d : json::differences(parsed(held), parsed(file)))
        out.push_back(json::describe(d));
    return out;
}

using Lines = std::vector<std::string>;

TEST(JsonDiff, EqualDocumentsHaveNoDifferenceWhateverTheirSpelling) {
    EXPECT_EQ(lines(R"({"a": [1, {"b": null}], "c": "x", "d": true})",
                    R"({"d": true, "c": "x", "a": [1.0, {"b": null}]})"),
              Lines{});
    EXPECT_EQ(lines("[]", "[]"), Lines{});
}

TEST(JsonDiff, ScalarsAndKindsChangeWhereTheyAre) {
    EXPECT_EQ(lines(R"({"name": "A", "n": 1})", R"({"name": "B", "n": 1})"),
              Lines{R"(changed /name: "A" -> "B")"});
    EXPECT_EQ(lines(R"({"x": 1, "y": [1, 2], "z": false, "w": null})",
                    R"({"x": "1", "y": {"0": 1}, "z": true, "w": 0})"),
              (Lines{R"(changed /x: 1 -> "1")", R"(changed /y: [1,2] -> {"0":1})",
                     "changed /z: false -> true", "changed /w: null -> 0"}));
    // Strings keep their escapes on the one line.
    EXPECT_EQ(lines(R"(["a\"b"])", R"(["a\nb"])"), Lines{R"(changed /0: "a\"b" -> "a\u000Ab")"});
}

// Members by key: the held document's order first, then what only the file has, in its order.
TEST(JsonDiff, MembersAddedAndRemovedFollowTheHeldOrderThenTheFilesExtras) {
    EXPECT_EQ(
        lines(R"({"a": 1, "b": 2, "c": 3})", R"({"e": [], "b": 2, "d": {"x": [1, 2]}})"),
        (Lines{"removed /a: 1", "removed /c: 3", "added /e: []", R"(added /d: {"x":[1,2]})"}));
    const auto found = json::differences(parsed(R"({"a": 1})"), parsed(R"({"b": null})"));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].op, json::Difference::Op::Removed);
    EXPECT_TRUE(found[0].held && !found[0].file);
    EXPECT_EQ(found[1].op, json::Difference::Op::Added);
    // An added null is a value, not a missing side.
    EXPECT_TRUE(!found[1].held && found[1].file);
    EXPECT_EQ(json::opName(found[1].op), std::string("added"));
}

// Index by index: an element put in front shows as every later one changed.
TEST(JsonDiff, ArraysCompareIndexByIndex) {
    EXPECT_EQ(lines("[1, 2]", "[1, 2, 3, [4]]"), (Lines{"added /2: 3", "added /3: [4]"}));
    EXPECT_EQ(lines("[1, 2, 3]", "[9]"),
              (Lines{"changed /0: 1 -> 9", "removed /1: 2", "removed /2: 3"}));
    EXPECT_EQ(lines("[1, 2]", "[0, 1, 2]"),
              (Lines{"changed /0: 1 -> 0", "changed /1: 2 -> 1", "added /2: 2"}));
}

TEST(JsonDiff, PathsEscapeTildeAndSlashAndNameNestedValues) {
    EXPECT_EQ(lines(R"({"a/b": {"~x": 1, "s": [{"n": "A"}]}})",
                    R"({"a/b": {"~x": 2, "s": [{"n": "B"}], "~/": 0}})"),
              (Lines{"changed /a~1b/~0x: 1 -> 2", R"(changed /a~1b/s/0/n: "A" -> "B")",
                     "added /a~1b/~0~1: 0"}));
    // Each path is one setAt reads: putting the file's values there gives the file.
    json::Value held = parsed(R"({"a/b": {"~x": [1, {"k": 1}], "q": 1}, "r": [1]})");
    const json::Value file = parsed(R"({"a/b": {"~x": [2, {"k": 2}], "q": 1}, "r": [1]})");
    std::string error;
    for (const auto& d : json::differences(held, file)) {
        ASSERT_TRUE(d.file);
        EXPECT_TRUE(json::setAt(held, d.path, *d.file, error)) << d.path << ": " << error;
    }
    EXPECT_EQ(json::write(held), json::write(file));
}

}  // namespace
}  // namespace tw::test
