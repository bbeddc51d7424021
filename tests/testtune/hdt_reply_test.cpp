#include "testtune/hdt_reply.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "testtune/hdt_commands.h"

namespace tw::testtune {
namespace {

using namespace std::string_literals;

TEST(HdtCommandTest, LinesAreFormattedWithTheirArgumentsOnly) {
    struct Case {
        HdtCommand command;
        std::initializer_list<std::int64_t> args;
        std::optional<std::string> line;
    };
    const Case cases[] = {
        // The lines themselves are the sheet tests' to check, one for every step.
        {HdtCommand::SelectTrackingPower, {2, 1, 0}, "cmd 71 2 1 0\r"s},
        {HdtCommand::setTransmitFrequency, {}, std::nullopt},  // argument missing
        {HdtCommand::TransmitterOn, {1}, std::nullopt},        // one too many
        {HdtCommand::SelectTrackingPower, {2, 1}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatCommand(c.command, c.args), c.line) << static_cast<int>(c.command);
}

TEST(HdtReplyTest, KeyedValuesNeedTheKeyAndTheWholeField) {
    struct Case {
        std::string reply;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"BATT=200\r\nPASS\r\n*", 200},
        {"\r\n*BATT=195", 195},
        {"BATT=19\r", 19},          // a line end ends the number
        {"BATT=1x5", 1},            // so does any other character
        {"BATT=19", std::nullopt},  // cut short
        {"BATT=", std::nullopt},
        {"BATT=abc", std::nullopt},
        {"BATT 200", std::nullopt},
        {"", std::nullopt},
        {"\x15~#?\x7f%&\r\n*", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(keyedValue(c.reply, "BATT=", 3), c.value) << c.reply;
    EXPECT_EQ(keyedValue("GRP=07\r\n", "GRP=", 2), 7);
}

TEST(HdtReplyTest, FieldsAtOffsetsAreTakenOnlyWhenTheReplyHoldsThem) {
    EXPECT_EQ(dacText("PASS = 512\r\n*"), "512");
    EXPECT_EQ(dacText("xxPASS = 266"), "266");
    EXPECT_EQ(dacText("PASS = 5"), std::nullopt);
    EXPECT_EQ(dacText("DAC = 512"), std::nullopt);

    const auto v = codeVersion("2005: 02 05\r\n*");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->major, 0x02);
    EXPECT_EQ(v->minor, 0x05);
    for (const char* bad : {"2005 02 05", "2005: 02", "2005: 02 0", "2005: ZZ 05", ":", ""})
        EXPECT_EQ(codeVersion(bad).has_value(), false) << bad;

    EXPECT_EQ(memoryByteField("20:0E: 30\r\n*"), "30");
    EXPECT_EQ(memoryByteField("20:37: 6A"), "6A");
    EXPECT_EQ(memoryByteField("20:0E: 3"), std::nullopt);
    EXPECT_EQ(memoryByteField("200E 30"), std::nullopt);
}

TEST(HdtReplyTest, KeypadEvents) {
    const auto press = keyEvent("15\r\n");
    ASSERT_TRUE(press);
    EXPECT_TRUE(press->pressed);
    EXPECT_EQ(press->key, '5');
    EXPECT_FALSE(press->ended);
    EXPECT_TRUE(keyEvent("*")->ended);
    EXPECT_TRUE(keyEvent("1P\n\r*")->ended);
    EXPECT_FALSE(keyEvent("1"));
    EXPECT_FALSE(keyEvent(""));
}

}  // namespace
}  // namespace tw::testtune
