#include <gtest/gtest.h>

#include <algorithm>

#include "sheet_fixture.h"
#include "testtune/rf_pages.h"

namespace tw::testtune {
namespace {

struct Case {
    const char* name;
    sim::ModelOptions radio;
    const char* script;  // the last step is the one looked at
    const char* sent;    // what the radio took in that step
    Messages messages;   // what the technician was told in it
    bool keyedAfter;
};

const Case kRfCases[] = {
    // Transmit frequency error.
    {"p1 start 800", kBand8, "press 1070", "cmd 70 815012500;cmd 71 0 0 1;cmd 85 0;cmd 74 1;cmd 9",
     told(), true},
    {"p1 start 900", kBand9, "press 1070",
     "cmd 70 899012500;cmd 3 1;cmd 71 0 0 1;cmd 85 0;cmd 74 1;cmd 9", told(), true},
    {"p1 start other band", kBandOther, "press 1070", "",
     told(kSplit, kNoBandSplitRead, "Could not start Transmit Frequency Error Test."), false},
    {"p1 frequency up", kBand8, "press 1070;arrow 1068 +1", "cmd 9 1", told(), true},
    {"p1 frequency down", kBand8, "press 1070;arrow 1068 -1", "cmd 9 0", told(), true},
    {"p1 power up", kBand8, "press 1070;arrow 1065 +1", "cmd 81 1", told(), true},
    {"p1 stop", kBand8, "press 1070;press 2", ";cmd 29;cmd 74 0", told(), false},
    {"p1 time-out", kBand8, "press 1070;wait 120000", ";cmd 29;cmd 74 0",
     told("Test timed out after 2 minutes"), false},
    {"p1 dac FAIL", with(kBand8, "fail", "9"), "press 1070",
     "cmd 70 815012500;cmd 71 0 0 1;cmd 85 0;cmd 74 1;cmd 9;cmd 74 0",
     told("Unable to display current frequency.", "Could not start Transmit Frequency Error Test."),
     false},
    {"p1 dac garbled", with(kBand8, "garble", "9"), "press 1070",
     "cmd 70 815012500;cmd 71 0 0 1;cmd 85 0;cmd 74 1;cmd 9;cmd 74 0",
     told("Could not start Transmit Frequency Error Test."), false},
    {"p1 unkey FAIL", with(kBand8, "fail", "74.0"), "press 1070;press 2", ";cmd 29;cmd 74 0",
     told("Unable to turn transmitter off.", kCommunicationError), true},
    {"p1 save FAIL still unkeys", with(kBand8, "fail", "29"), "press 1070;press 2",
     ";cmd 29;cmd 74 0", told("Unable to save tracking data.", kCommunicationError), false},
    // Power tracking.
    {"p2 start 800", kBand8, "page 2;press 1150", "cmd 85 0;cmd 74 1;cmd 70 806000000;cmd 71 0 0 0",
     told(), true},
    {"p2 start 900", kBand9, "page 2;press 1150",
     "cmd 85 0;cmd 74 1;cmd 70 896000000;cmd 3 1;cmd 71 0 0 0", told(), true},
    {"p2 start other band", kBandOther, "page 2;press 1150", "", told(kSplit, kNoBandSplitRead),
     false},
    {"p2 step on the selected row", kBand8, "page 2;press 1150;scroll 1092 up",
     "cmd 81 1;cmd 82 1;cmd 70 806000000;cmd 71 0 0 0", told(), true},
    {"p2 step on another row selects it first", kBand8, "page 2;press 1150;scroll 1113 down",
     "cmd 70 851000000;cmd 71 2 1 0;cmd 81 0;cmd 82 1", told(), true},
    {"p2 focus selects without a step", kBand8, "page 2;press 1150;scroll 1095 focus",
     "cmd 70 815000000;cmd 71 1 0 1", told(), true},
    {"p2 stop", kBand8, "page 2;press 1150;press 1135", "cmd 29;cmd 85 1;cmd 74 0", told(), false},
    {"p2 20 s idle", kBand8, "page 2;press 1150;wait 20000", "cmd 74 0", told(), false},
    {"p2 19.7 s idle", kBand8, "page 2;press 1150;wait 19700", "", told(), true},
    {"p2 time-out", kBand8, "page 2;press 1150;wait 120000", "cmd 74 0;cmd 29;cmd 85 1;cmd 74 0",
     told("Test has timed out after two minutes."), false},
    // I/Q balance.
    {"p3 start", kBand8, "page 3;press 1094",
     "cmd 70 815000000;cmd 71 0 0 1;cmd 83 0 0 0;cmd 83 1 0 0;cmd 86 0 0;cmd 86 1 0;cmd 74 1",
     told(), true},
    {"p3 stop", kBand8, "page 3;press 1094;press 2", ";cmd 29;cmd 74 0", told(), false},
    {"p3 runs past 2 minutes", kBand8, "page 3;press 1094;wait 120000", "", told(), true},
    {"p3 time-out", kBand8, "page 3;press 1094;wait 1200000", ";cmd 29;cmd 74 0",
     told("The test has timed out after 20 minutes."), false},
    {"p3 corra FAIL", with(kBand8, "fail", "86"), "page 3;press 1094",
     "cmd 70 815000000;cmd 71 0 0 1;cmd 83 0 0 0;cmd 83 1 0 0;cmd 86 0 0",
     told("Unable to initialize Corra-I value.", "Could not start I/Q Balance Test."), false},
    // External microphone.
    {"p4 start 900", kBand9, "page 4;press 1078",
     "cmd 70 899000000;cmd 3 1;cmd 71 0 0 1;cmd 74 1;cmd 5 1", told(), true},
    {"p4 stop", kBand8, "page 4;press 1078;press 2", "cmd 5 0;cmd 74 0", told(), false},
    {"p4 time-out", kBand8, "page 4;press 1078;wait 120000", "cmd 5 0;cmd 74 0",
     told("The test has timed out after 2 minutes."), false},
    {"p4 leaving the sheet stops it", kBand8, "page 4;press 1078;cancel", "cmd 5 0;cmd 74 0",
     told(), false},
    {"p4 another page is refused while it runs", kBand8, "page 4;press 1078;page 1", "", told(),
     true},
    {"p4 silent radio", with(kBand8, "silence", "14"), "page 4;press 1078",
     "cmd 70 815000000;cmd 71 0 0 1;cmd 74 1;cmd 74 0",
     told("Unable to turn the transmitter on.",
          "Could not start External TX Microphone Gain and Distortion Test.",
          "Unable to turn transmitter off."),
     false},
    // Tone Gate.
    {"p5 start", kBand8, "page 5;press 1129", "cmd 70 815000000;cmd 74 1;cmd 73 1 1862", told(),
     true},
    {"p5 step", kBand8, "page 5;press 1129;arrow 1088 +1", "cmd 72 3 31", told(), true},
    {"p5 verify after a test", kBand8, "page 5;press 1129;press 2;press 1131",
     "cmd 70 815000000;cmd 74 1;cmd 73 1 1862;cmd 73 1 1000", told(), true},
    {"p5 stop without a step saves nothing", kBand8, "page 5;press 1129;press 2",
     ";cmd 3 0;cmd 74 0", told(), false},
    {"p5 stop stores the set value", kBand8, "page 5;press 1129;arrow 1088 +71;press 2",
     ";cmd 3 1;cmd 72 3 50;cmd 73 1 1862;cmd 29;cmd 3 0;cmd 74 0", told(), false},
    {"p5 time-out", kBand8, "page 5;press 1129;wait 120000", ";cmd 3 0;cmd 74 0",
     told("The test has timed out after 2 minutes."), false},
    // RSSI.
    {"p6 strong 800", kBand8, "page 6;press 1141", "cmd 50 851000000;cmd 57;cmd 2 1", told(),
     false},
    {"p6 weak 900", kBand9, "page 6;press 1142", "cmd 50 935000000;cmd 3 1;cmd 57;cmd 2 0", told(),
     false},
    {"p6 stop", kBand8, "page 6;press 1141;press 2", ";cmd 54 1;cmd 29", told(), false},
    {"p6 time-out", kBand8, "page 6;press 1141;wait 120000", ";cmd 54 1;cmd 29",
     told("Test Timed out after two minutes"), false},
};

class RfSheetTest : public SheetTest {};

TEST_F(RfSheetTest, EachStepSendsItsLinesAndLeavesTheTransmitterAsExpected) {
    for (const Case& c : kRfCases) {
        open(TestSheetChoice::StandardRf, c.radio);
        EXPECT_EQ(lastStep(c.script), split(c.sent)) << c.name;
        EXPECT_EQ(ui_.messages(), c.messages) << c.name;
        EXPECT_EQ(model().state().keyed, c.keyedAfter) << c.name;
    }
}

TEST_F(RfSheetTest, EachIqArrowSendsItsValueAndShowsItInItsOwnField) {
    struct Row {
        int arrow, steps, field;
        const char* sent;  // by the last step
    };
    // Every arrow ends on a value of its own, so a field showing another arrow's value, or an
    // amplitude sent with the other offset, is caught.
    const Row rows[] = {
        {1099, -1, 1100, "cmd 83 0 -1;cmd 84"},
        {1089, -2, 1101, "cmd 83 1 -2;cmd 84"},
        {1090, +3, 1102, "cmd 86 0 3;cmd 84"},
        {1091, -4, 1103, "cmd 86 1 -4;cmd 84"},
        {1092, +5, 1104, "cmd 83 0 -1 0;cmd 83 1 -1 5;cmd 84"},
        {1093, +6, 1105, "cmd 83 0 -2 0;cmd 83 1 -2 6;cmd 84"},
    };
    open(TestSheetChoice::StandardRf, kBand8);
    ASSERT_TRUE(run("page 3;press 1094"));
    for (const Row& r : rows) {
        ASSERT_TRUE(stepArrow(sheet(), r.arrow, r.steps - (r.steps > 0 ? 1 : -1)));
        const std::size_t from = mark();
        ASSERT_TRUE(stepArrow(sheet(), r.arrow, r.steps > 0 ? 1 : -1));
        EXPECT_EQ(commandsSince(from), split(r.sent)) << r.arrow;
    }
    const Controls& c = sheet().activePage().controls();
    for (const Row& r : rows) EXPECT_EQ(c.text(r.field), std::to_string(r.steps)) << r.field;
    ASSERT_TRUE(run("press 2"));
    for (const Row& r : rows) EXPECT_EQ(c.text(r.field), "0") << r.field;
}

TEST_F(RfSheetTest, WizardButtonsFollowTheTests) {
    struct Step {
        const char* script;
        int page;
        bool back, next, finish;
    };
    open(TestSheetChoice::StandardRf, kBand8);
    const Step steps[] = {
        {"", 1, false, true, false},          {"press 1070", 1, false, false, false},
        {"press 2", 1, false, true, false},   {"page 2;press 1150", 2, false, false, false},
        {"press 1135", 2, true, true, false}, {"page 5", 5, true, true, false},
        {"page 6", 6, true, false, true},     {"press 1141", 6, false, false, false},
        {"press 2", 6, true, false, true},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(run(s.script)) << s.script;
        EXPECT_EQ(sheet().activeIndex() + 1, s.page) << s.script;
        EXPECT_EQ(sheet().backEnabled(), s.back) << s.script;
        EXPECT_EQ(sheet().nextEnabled(), s.next) << s.script;
        EXPECT_EQ(sheet().finishEnabled(), s.finish) << s.script;
    }
    // A running test holds the wizard where it is.
    ASSERT_TRUE(run("press 1142"));
    EXPECT_FALSE(run("page 5"));
}

TEST_F(RfSheetTest, PowerRowsShowTheirLabels) {
    open(TestSheetChoice::StandardRf, kBand9);
    ASSERT_TRUE(run("page 2;press 1150;scroll 1113 focus"));
    const Controls& c = sheet().activePage().controls();
    EXPECT_EQ(c.text(1116), "935000000");
    EXPECT_EQ(c.text(1117), "2.2 W");
    EXPECT_EQ(c.text(1118), "Talk Around");
    EXPECT_EQ(c.text(1119), "162");
    ASSERT_TRUE(run("scroll 1112 focus"));
    EXPECT_EQ(c.text(1117), "3.2 W");
    EXPECT_EQ(c.text(1118), "Trunking");
    ASSERT_TRUE(run("press 1135"));
    EXPECT_EQ(c.text(1116), " ");
    EXPECT_EQ(c.text(1119), "160");
}

TEST_F(RfSheetTest, StopSavesTheDacAndClearsItsField) {
    open(TestSheetChoice::StandardRf, kBand8);
    ASSERT_TRUE(run("press 1070;arrow 1068 +2;press 2"));  // e2e checks the DAC shown meanwhile
    EXPECT_EQ(model().state().saved.referenceDac, 514);
    EXPECT_EQ(sheet().activePage().controls().text(1080), " ");
}

TEST_F(RfSheetTest, TheRssiTickShowsEachSecondsValue) {
    open(TestSheetChoice::StandardRf, {{"rssi", "41,42,43,44"}, {"interval", "400"}});
    ASSERT_TRUE(run("page 6;press 1141"));
    std::vector<std::string> shown;
    for (int s = 0; s < 3; ++s) {
        ASSERT_TRUE(run("wait 1000"));
        shown.push_back(sheet().activePage().controls().text(CStandardRFPage6::kRssi));
    }
    for (const auto& text : shown) EXPECT_EQ(text.rfind("RSSI=4", 0), 0u) << text;
    EXPECT_NE(shown.front(), shown.back());
    EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(RfSheetTest, AFailingTickShowsOneMessageAndStops) {
    open(TestSheetChoice::StandardRf, {{"rssi", "1"}, {"interval", "400"}});
    ASSERT_TRUE(run("page 6;press 1141"));
    // The line goes: every tick's read fails, and only the first may tell.
    sheet().link().port().Close();
    ASSERT_TRUE(run("wait 5000"));
    const Messages shown = ui_.messages();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Unable to set strong RSSI level."), 1);
    EXPECT_FALSE(sheet().activePage().running());
}

// A radio that misses the resync a test starts with: each page's own reaction.
TEST_F(RfSheetTest, APageWhoseRadioMissesTheResyncReactsItsOwnWay) {
    struct Row {
        TestSheetChoice sheet;
        const char* page;
        int start;
        const char* told;  // after the resync's own messages; nullptr: nothing
        bool sheetCloses;
    };
    const Row rows[] = {
        {TestSheetChoice::StandardRf, "page 1", 1070, nullptr, false},
        {TestSheetChoice::StandardRf, "page 2", 1150, "Could not detect HDT in radio.", false},
        {TestSheetChoice::Frontcap, "page 1", 1121, "Cannot enter Diagnostics mode.", false},
        {TestSheetChoice::Io, "page 1", 1004, nullptr, false},
        {TestSheetChoice::Io, "page 1", 1005, nullptr, true},
    };
    for (const Row& r : rows) {
        CTestSheet& s = open(r.sheet, kBand8);
        ASSERT_TRUE(run(r.page));
        s.link().port().Close();
        ui_.clear();
        pressInSheet(s, r.start);
        Messages expected(2, "Unable to read radio code version.");
        if (r.told) expected.push_back(r.told);
        EXPECT_EQ(ui_.messages(), expected) << r.start;
        EXPECT_EQ(s.closed(), r.sheetCloses) << r.start;
    }
}

}  // namespace
}  // namespace tw::testtune
