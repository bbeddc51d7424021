#include <gtest/gtest.h>

#include "sheet_fixture.h"
#include "testtune/frontcap_pages.h"

namespace tw::testtune {
namespace {

struct Case {
    const char* name;
    sim::ModelOptions radio;
    const char* script;  // the last step is the one looked at
    const char* sent;    // what the radio took in that step
    Messages messages;
    bool keyedAfter;
    bool mutedAfter;
};

const Case kFrontcapCases[] = {
    {"p1 start 800", kBand8, "press 1121", "cmd 70 815000000;cmd 71 0 0 1;cmd 74 1", told(), true,
     true},
    {"p1 start 900", kBand9, "press 1121", "cmd 70 899000000;cmd 3 1;cmd 71 0 0 1;cmd 74 1", told(),
     true, true},
    {"p1 start other band", kBandOther, "press 1121", "",
     told(kSplit, kNoBandSplitRead, "Could not start Gain At Rated Audio Test."), false, true},
    {"p1 stop", kBand8, "press 1121;press 2", "cmd 74 0", told(), false, true},
    {"p1 time-out", kBand8, "press 1121;wait 120000", "cmd 74 0",
     told("Test timed out after 2 minutes."), false, true},
    {"p2 start 900", kBand9, "page 2;press 1074",
     "cmd 50 935000000;cmd 3 1;cmd 57;cmd 7 0;cmd 7 1 180", told(), false, true},
    {"p2 start other band", kBandOther, "page 2;press 1074",
     "cmd 50 935000000;cmd 3 1;cmd 57;cmd 7 0;cmd 7 1 180", told(kSplit), false, true},
    {"p2 volume up", kBand8, "page 2;press 1074;arrow 1090 +2",
     "cmd 7 0;cmd 7 1 181;cmd 7 0;cmd 7 1 182", told(), false, true},
    {"p2 volume FAIL stops", with(kBand8, "fail", "7"), "page 2;press 1074",
     "cmd 50 851000000;cmd 57;cmd 7 0",
     told("Unable to set the volume.", "Could not start Gain At Rated Audio Test."), false, true},
    {"p2 stop", kBand8, "page 2;press 1074;press 2", "cmd 54 1", told(), false, true},
    {"p2 time-out", kBand8, "page 2;press 1074;wait 120000", "cmd 54 1",
     told("Test timed out after 2 minutes."), false, true},
    {"p4 start wide", kBand8, "page 3;press 1122",
     "cmd 50 815000000;cmd 3 0;cmd 54 0;cmd 52 1 1;cmd 52 2", told(), false, false},
    {"p4 start narrow", kBand9, "page 3;press 1137;press 1122",
     "cmd 50 899000000;cmd 3 1;cmd 54 0;cmd 52 1 1;cmd 52 2", told(), false, false},
    {"p4 squelch step", kBand8, "page 3;press 1122;arrow 1123 +1", "cmd 52 1 2;cmd 52 2", told(),
     false, false},
    // A refused level: a failed start sends nothing more (the speaker stays unmuted); a failed
    // step stops the test, whose save keeps the level the radio still holds.
    {"p4 squelch level FAIL at start", with(kBand8, "fail", "52.1.1"), "page 3;press 1122",
     "cmd 50 815000000;cmd 3 0;cmd 54 0;cmd 52 1 1",
     told("Unable to set squelch level.", "Could not start Squelch Test."), false, false},
    {"p4 squelch level FAIL stops", with(kBand8, "fail", "52.1.2"),
     "page 3;press 1122;arrow 1123 +1", "cmd 52 1 2;cmd 54 1;cmd 29",
     told("Unable to set squelch level."), false, true},
    {"p4 stop saves", kBand8, "page 3;press 1122;arrow 1123 +3;press 2", "cmd 54 1;cmd 29", told(),
     false, true},
    {"p4 out of range is not saved", kBand8, "page 3;press 1122;arrow 1123 +159;press 2",
     "cmd 54 1", told(), false, true},
    {"p4 time-out", kBand8, "page 3;press 1122;wait 120000", "cmd 54 1;cmd 29",
     told("Test timed out after 2 minutes."), false, true},
    {"p6 low 800", kBand8, "page 4;press 1138", "cmd 50 851000000;cmd 57", told(), false, true},
    {"p6 high 900", kBand9, "page 4;press 1140;press 1138", "cmd 50 941000000;cmd 3 1;cmd 57",
     told(), false, true},
    {"p6 high other band", kBandOther, "page 4;press 1140;press 1138", "cmd 50 941000000;cmd 57",
     told(kSplit), false, true},
    {"p6 stop", kBand8, "page 4;press 1138;press 2", "cmd 54 1", told(), false, true},
    {"p6 time-out", kBand8, "page 4;press 1138;wait 120000", "cmd 54 1",
     told("Test timed out after 2 minutes."), false, true},
};

class FrontcapSheetTest : public SheetTest {};

TEST_F(FrontcapSheetTest, EachStepSendsItsLines) {
    for (const Case& c : kFrontcapCases) {
        open(TestSheetChoice::Frontcap, c.radio);
        EXPECT_EQ(lastStep(c.script), split(c.sent)) << c.name;
        EXPECT_EQ(ui_.messages(), c.messages) << c.name;
        EXPECT_EQ(model().state().keyed, c.keyedAfter) << c.name;
        EXPECT_EQ(model().state().muted, c.mutedAfter) << c.name;
    }
}

TEST_F(FrontcapSheetTest, VolumeIndicatorsMarkTheRange) {
    struct Step {
        int steps;
        bool low, high;
    };
    open(TestSheetChoice::Frontcap, kBand8);
    ASSERT_TRUE(run("page 2;press 1074"));
    const Controls& c = sheet().activePage().controls();
    // From 180: to 183, 184 (high), 176, 175 (low), then down to the arrow's end.
    for (const Step s : {Step{3, false, false}, Step{1, false, true}, Step{-8, false, false},
                         Step{-1, true, false}, Step{-40, true, false}}) {
        ASSERT_TRUE(stepArrow(sheet(), CFrontcapPage2::kVolume, s.steps));
        EXPECT_EQ(c.enabled(CFrontcapPage2::kLow), s.low) << s.steps;
        EXPECT_EQ(c.enabled(CFrontcapPage2::kHigh), s.high) << s.steps;
    }
    EXPECT_EQ(sheet().activePage().arrowPosition(CFrontcapPage2::kVolume), 160);
    EXPECT_EQ(c.text(CFrontcapPage2::kVolumeText), "160");
}

TEST_F(FrontcapSheetTest, SquelchResultFollowsTheReply) {
    // A reply without "PASS" is a level set too low; "FAIL" is no level at all.
    open(TestSheetChoice::Frontcap, with(kBand8, "garble", "52.1.1"));
    ASSERT_TRUE(run("page 3;press 1122"));
    EXPECT_EQ(sheet().activePage().controls().text(CFrontcapPage4::kResult), "Low");
    open(TestSheetChoice::Frontcap, with(kBand8, "fail", "52.1.1"));
    ASSERT_TRUE(run("page 3;press 1122"));
    EXPECT_FALSE(sheet().activePage().running());
    EXPECT_EQ(sheet().activePage().controls().text(CFrontcapPage4::kResult), "");

    open(TestSheetChoice::Frontcap, kBand8);
    ASSERT_TRUE(run("page 3;press 1122"));
    const Controls& c = sheet().activePage().controls();
    EXPECT_EQ(c.text(CFrontcapPage4::kResult), "Correct");
    ASSERT_TRUE(run("arrow 1123 +159"));  // 160: out of range even with "PASS"
    EXPECT_TRUE(c.enabled(CFrontcapPage4::kOutOfRange));
    EXPECT_EQ(c.text(CFrontcapPage4::kResult), "");
    ASSERT_TRUE(run("arrow 1123 -1"));
    EXPECT_FALSE(c.enabled(CFrontcapPage4::kOutOfRange));
    EXPECT_EQ(c.text(CFrontcapPage4::kResult), "Correct");
}

}  // namespace
}  // namespace tw::testtune
