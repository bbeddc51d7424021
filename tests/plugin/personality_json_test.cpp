// The personality's JSON form: what save writes, load reads back exactly; what load refuses,
// it refuses with the JSON Pointer of the member at fault.
#include <gtest/gtest.h>

#include "personality_fixtures.h"
#include "plugin/codec/personality_decoder.h"
#include "plugin/codec/personality_encoder.h"
#include "plugin/store/json_value.h"
#include "plugin/store/personality_json.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

// A personality as a radio gives it: encoded, then decoded (so it holds every option
// class the image carries, the kept header bytes and sections included).
CPersonality decodedPersonality(const FixtureSpec& fs) {
    Fixture f = makeFixture(fs, 2);
    ScriptedUi ui;
    EXPECT_EQ(encodePersonality(f.image, f.personality, f.request, f.identity, ui), kEncodeDone);
    CPersonality back(f.personality.radioType, f.personality.GetName());
    EXPECT_EQ(
        decodePersonalityQuietly(f.image.buffer.data(), f.image.buffer.size(), back, f.identity),
        "");
    return back;
}

TEST(PersonalityJson, EveryDecodedRadioPersonalitySavesAndLoadsUnchanged) {
    for (const FixtureSpec& fs : allFixtureSpecs()) {
        const CPersonality p = decodedPersonality(fs);
        const std::string text = personalityToJson(p);
        CPersonality back;
        std::string error;
        ASSERT_TRUE(personalityFromJson(text, back, error)) << fs.label() << ": " << error;
        EXPECT_EQ(firstDifference(p, back), "") << fs.label();
        EXPECT_EQ(personalityToJson(back), text) << fs.label();
    }
}

TEST(PersonalityJson, NamesAreLatin1BytesWithControlsEscaped) {
    CPersonality p('A', std::string("\x00Z\x1f\x7f\x85\xa0\xe9  ", 9));
    const std::string text = personalityToJson(p);
    EXPECT_NE(text.find(R"("name": "\u0000Z\u001F\u007F\u0085)"
                        "\xc2\xa0\xc3\xa9  \""),
              std::string::npos)
        << text;
    CPersonality back;
    std::string error;
    ASSERT_TRUE(personalityFromJson(text, back, error)) << error;
    EXPECT_EQ(back.GetName(), p.GetName());
}

// A small personality as a file holds it; members left out keep their defaults.
constexpr const char* kBase = R"({
  "format": 1, "name": "DEPOT", "type": "C", "bandLimits": [806, 806, 851, 851],
  "systems": [
    {"kind": "conventional", "name": "CONV", "convSet": "CNV1"},
    {"kind": "trunked", "name": "TRUNK", "trunkSet": "TRK1", "groupSet": "GRP1",
     "prioritySystem": "CONV", "scannedSystems": ["CONV"]}
  ],
  "sets": {
    "trunked": [{"name": "TRK1", "channels": [{"first": 806.0125, "second": 851.0125}]}],
    "conventional": [{"name": "CNV1", "home": "CH1",
                      "channels": [{"name": "CH1", "rx": 851.5}, {"name": "CH2", "rx": 852}]}],
    "groups": [{"name": "GRP1", "home": "G1", "groups": [{"name": "G1", "id": 1}, {"name": "G2"}]},
               {"name": "GRP2"}]
  },
  "options": {"CVsOpts": {"data": "0102"}, "CImageExtras": {"sections": {"12": "ff"}}}
})";

// Each case puts one value at one pointer of the base; the error must name that place.
TEST(PersonalityJson, RefusesWhatFailsItsChecksNamingThePath) {
    std::string error;
    CPersonality base;
    ASSERT_TRUE(personalityFromJson(kBase, base, error)) << error;
    EXPECT_EQ(base.GetSet("CNV1", kConvSetType)->ItemCount(), 2u);
    EXPECT_EQ(base.GetOption<CImageExtras>()->sections.at(12), std::vector<std::uint8_t>{0xFF});
    struct Case {
        const char* pointer;
        const char* value;
        const char* error;
    } cases[] = {
        {"/colour", "1", "/colour: unknown member"},
        {"/format", "2", "/format: format 2 is not 1"},
        {"/type", R"("CC")", "/type: expected one letter"},
        {"/type", R"("c")", "/type: expected one letter"},
        {"/name", "5", "/name: expected a string, found a number"},
        {"/name", R"("€")", "/name: holds a character that is not Latin-1"},
        {"/bandLimits", "[1, 2, 3]", "/bandLimits: expected 4 entries"},
        {"/bandLimits/0", "-1", "/bandLimits/0: out of range (0 to 1000000)"},
        {"/systems/0/kind", R"("radio")", "/systems/0/kind: expected \"conventional\""},
        {"/systems/0/name", "null", "/systems/0/name: expected a string, found null"},
        {"/systems/1/name", R"("CONV")",
         "/systems/1/prioritySystem: the system name \"CONV\" is used by 2 systems"},
        {"/systems/-", R"({"kind": "conventional", "name": "TRUNK", "convSet": "CNV1"})", ""},
        {"/systems/1/value6", "64", "/systems/1/value6: out of range (0 to 63)"},
        {"/systems/1/value6", "1.5", "/systems/1/value6: expected a whole number"},
        {"/systems/1/prioritySystem", R"("GONE")", "/systems/1/prioritySystem: no system"},
        {"/systems/1/scannedSystems/-", R"("GONE")", "/systems/1/scannedSystems/1: no system"},
        {"/systems/1/groupSet", R"("GRP9")", "/systems/1/groupSet: no group set"},
        {"/systems/0/convSet", R"("GRP1")", "/systems/0/convSet: no conventional set"},
        {"/sets/groups/0/groups/0/id", "2048", "/sets/groups/0/groups/0/id: out of range"},
        {"/sets/groups/0/groups/0/extra", "true", "/sets/groups/0/groups/0/extra: unknown"},
        {"/sets/groups/1/name", R"("GRP1")", "/sets/groups/1/name: the group set name"},
        {"/sets/groups/0/home", R"("G3")", "/sets/groups/0/home: no group of \"GRP1\""},
        {"/sets/groups/0/groups/1/name", R"("G1")", "/sets/groups/0/home: the group name"},
        {"/sets/conventional/0/home", R"("CH3")", "/sets/conventional/0/home: no channel"},
        {"/sets/conventional/0/channels/1/name", R"("CH1")", ""},
        {"/sets/widgets", "[]", "/sets/widgets: unknown member"},
        {"/options/CFooOpts", "{}", "/options/CFooOpts: unknown option class"},
        {"/options/CRciSystemGroup", R"({"entries": [{"system": "CONV", "group": "G1"}]})",
         "/options/CRciSystemGroup/entries/0/group: the system \"CONV\" has no group set"},
        {"/options/CVsOpts/data", R"("0g")", "/options/CVsOpts/data: expected pairs"},
        {"/options/CImageExtras/sections/012", R"("00")", "/options/CImageExtras/sections/012:"},
    };
    for (const Case& c : cases) {
        json::Value doc = *json::parse(kBase, error);
        ASSERT_TRUE(json::setAt(doc, c.pointer, *json::parse(c.value, error), error)) << c.pointer;
        CPersonality out('Q', "UNTOUCHED");
        const bool read = personalityFromJsonValue(doc, out, error);
        if (*c.error == '\0') {
            EXPECT_TRUE(read) << c.pointer << ": " << error;
            continue;
        }
        EXPECT_FALSE(read) << c.pointer;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.pointer << " gave " << error;
        EXPECT_EQ(out.GetName(), "UNTOUCHED");
    }
}

TEST(JsonText, ParsingIsStrictAndNamesWhereItStopped) {
    struct Case {
        const char* text;
        const char* error;  // "" when the text is valid
    } cases[] = {
        {R"({"a": [1, 2.5e3, -0, true, null, "\u00e9\ud83d\ude00"]})", ""},
        {"{\"a\": 1,}", "line 1, column 9: expected a member name"},
        {"{\"a\": 1, \"a\": 2}", "line 1, column 10: a member name used twice"},
        {"[1 2]", "line 1, column 4: expected ',' or ']'"},
        {"[01]", "line 1, column 3: expected ',' or ']'"},
        {"[1.]", "a malformed number"},
        {"[NaN]", "line 1, column 2: not a JSON value"},
        {"[1e999]", "a number too large"},
        {"\"\\ud800\"", "a lone surrogate"},
        {"\"\\udc00\"", "a lone surrogate"},
        {"\"a\tb\"", "a control character"},
        {"\"\xc3\"", "malformed UTF-8"},
        {"\"\xc0\xaf\"", "malformed UTF-8"},
        {"\"\xed\xa0\x80\"", "malformed UTF-8"},
        {"\"\\x\"", "an unknown escape"},
        {"{}\n x", "line 2, column 2: text after the end"},
        {"", "the text ends where a value should be"},
        {"\"abc", "an unterminated string"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto v = json::parse(c.text, error);
        if (*c.error == '\0') {
            EXPECT_TRUE(v.has_value()) << c.text << ": " << error;
            EXPECT_EQ(json::write(*json::parse(json::write(*v), error)), json::write(*v));
        } else {
            EXPECT_FALSE(v.has_value()) << c.text;
            EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave " << error;
        }
    }
    std::string deep(json::kMaxDepth + 1, '['), error;
    EXPECT_FALSE(json::parse(deep + std::string(json::kMaxDepth + 1, ']'), error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
    EXPECT_TRUE(json::parse(deep.substr(1) + std::string(json::kMaxDepth, ']'), error));
}

TEST(JsonText, NumbersWriteShortestAndReadBackExactly) {
    for (double d : {851.0125, 136.0, 0.1, 1e-7, 12.5, 1.0 / 3.0, 806.00625}) {
        std::string error;
        const auto v = json::parse(json::formatNumber(d), error);
        ASSERT_TRUE(v) << error;
        EXPECT_EQ(v->number, d);
    }
    EXPECT_EQ(json::formatNumber(851.0125), "851.0125");
    EXPECT_EQ(json::formatNumber(-0.0), "0");
}

TEST(JsonText, PointerReplacesAddsAppendsAndRefusesTheRest) {
    std::string error;
    json::Value doc = *json::parse(R"({"a/b": {"~": [1, 2]}, "c": 3})", error);
    const auto put = [&](const char* pointer, double n) {
        return json::setAt(doc, pointer, json::Value::makeNumber(n), error);
    };
    EXPECT_TRUE(put("/a~1b/~0/1", 20));
    EXPECT_TRUE(put("/a~1b/~0/-", 30));
    EXPECT_TRUE(put("/d", 4));
    EXPECT_EQ(json::write(doc),
              json::write(*json::parse(R"({"a/b": {"~": [1, 20, 30]}, "c": 3, "d": 4})", error)));
    const struct {
        const char* pointer;
        const char* why;
    } bad[] = {{"c", "starts with '/'"},        {"/c/x", "/c/x: the value above is a number"},
               {"/a~1b/~0/3", "nothing there"}, {"/a~1b/~0/01", "not an array index"},
               {"/x/y", "/x: nothing there"},   {"/a~2", "'~' not followed by 0 or 1"}};
    for (const auto& b : bad) {
        EXPECT_FALSE(put(b.pointer, 1)) << b.pointer;
        EXPECT_NE(error.find(b.why), std::string::npos) << b.pointer << " gave " << error;
    }
}

}  // namespace
}  // namespace tw::test
