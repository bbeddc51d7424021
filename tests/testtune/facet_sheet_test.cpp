#include <gtest/gtest.h>

#include <algorithm>

#include "sheet_fixture.h"
#include "testtune/facet_pages.h"
#include "testtune/key_map.h"

namespace tw::testtune {
namespace {

sim::ModelOptions option(const char* key, const char* value) {
    return {{key, value}};
}

class FacetSheetTest : public SheetTest {
  protected:
    CTestSheet& openIo(sim::ModelOptions options) {
        options.emplace("interval", "100");
        return open(TestSheetChoice::Io, options);
    }
    const Controls& dialog() { return sheet().testDialog()->controls(); }
    const Controls& page() { return sheet().activePage().controls(); }
};

TEST_F(FacetSheetTest, StopSendsOneCarriageReturnAndJoins) {
    for (const char* button : {"1003", "1004", "1005"}) {
        openIo({{"keys", "123456789"}});
        ASSERT_TRUE(run(std::string("press ") + button + ";wait 250")) << button;
        ASSERT_NE(sheet().testDialog(), nullptr) << button;
        EXPECT_FALSE(sheet().nextEnabled());
        const std::size_t from = mark();
        ASSERT_TRUE(run("press 2")) << button;
        EXPECT_EQ(commandsSince(from), Lines{""}) << button;
        EXPECT_EQ(sheet().testDialog(), nullptr) << button;
        EXPECT_TRUE(sheet().nextEnabled()) << button;
    }
    EXPECT_EQ(page().text(CKeypadPage::kVolumeStatus), kComplete);
}

TEST_F(FacetSheetTest, KeyEventsToggleTheirIndicators) {
    openIo({{"keys", "12P1"}});
    ASSERT_TRUE(run("press 1003;wait 1000"));
    for (const auto& k : kKeyMap) {
        if (!k.controlId) continue;
        const bool lit = k.key == '2' || k.key == 'P';  // "1" pressed twice: back off
        EXPECT_EQ(dialog().enabled(k.controlId), lit) << k.label;
    }
}

TEST_F(FacetSheetTest, TheSameKeyTwiceEndsTheTest) {
    openIo({{"keys", "1223"}});
    ASSERT_TRUE(run("press 1003;wait 1000"));
    EXPECT_EQ(sheet().testDialog(), nullptr);
    EXPECT_EQ(ui_.messages(), Messages{"You have pressed the same key twice in a row which causes "
                                       "the radio to end the keypad test."});
    // "3" came after the end: two of the keys were seen.
    EXPECT_EQ(page().text(CKeypadPage::kKeypadStatus), "Stopped: 2 of 22 keys seen");
}

// Only a keypad test that saw every key is complete; a key seen twice counts once.
TEST_F(FacetSheetTest, AKeypadTestIsCompleteOnlyWithEveryKeySeen) {
    openIo({{"keys", "1234567890*#PCOEUDMTAS1"}});
    ASSERT_TRUE(run("press 1003;wait 3000;press 2"));
    EXPECT_EQ(page().text(CKeypadPage::kKeypadStatus), kComplete);
}

TEST_F(FacetSheetTest, KnobPositionsLightOneIndicator) {
    struct Case {
        const char* knob;
        std::vector<int> lit;
    };
    for (const Case& c : {Case{"3,4", {4}}, Case{"3,4,3", {3}}, Case{"0,17", {}}, Case{"5,5", {}},
                          Case{"16,1", {1}}}) {
        openIo({{"knob", c.knob}});
        ASSERT_TRUE(run("press 1004;wait 1000")) << c.knob;
        for (int n = 1; n <= 16; ++n) {
            const bool lit = std::find(c.lit.begin(), c.lit.end(), n) != c.lit.end();
            EXPECT_EQ(dialog().enabled(kKnobIndicatorBase + n), lit) << c.knob << " " << n;
        }
    }
}

TEST_F(FacetSheetTest, VolumeShowsProgressAndEighths) {
    openIo({{"volume", "7,255"}, {"interval", "1000"}});
    ASSERT_TRUE(run("press 1005;wait 1200"));
    EXPECT_EQ(dialog().text(kVolumeText), "Vol=00");
    ASSERT_TRUE(run("wait 1000"));
    EXPECT_EQ(dialog().text(kVolumeProgress), "255");
    EXPECT_EQ(dialog().text(kVolumeText), "Vol=31");
}

TEST_F(FacetSheetTest, EventsCutBetweenReadsAreAllHandled) {
    // Back to back, the 50-byte reads cut events anywhere, the start reply's included.
    struct Case {
        const char* option;
        const char* script;
        int button;
    };
    for (const Case c : {Case{"keys", "1212121212121212121212121212121212121212", 1003},
                         Case{"knob",
                              "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,1,2,3,4,5,6,7,8,9,"
                              "10,11,12,13,14,15,16,1,2,3,4,5,6,7,8",
                              1004},
                         Case{"volume",
                              "1,22,33,44,55,66,77,88,99,100,111,122,133,144,155,166,"
                              "177,188,199,200,211,222,233,244,255,1,2,3,4,5,6,7,8,9,"
                              "10,11,12,13,14,15",
                              1005}}) {
        openIo({{c.option, c.script}, {"interval", "1"}});
        ASSERT_TRUE(run("press " + std::to_string(c.button) + ";wait 500")) << c.option;
        auto* dialog = static_cast<CKeypadPage&>(sheet().activePage()).dialog();
        ASSERT_NE(dialog, nullptr) << c.option;
        EXPECT_EQ(dialog->eventsHandled(), 40) << c.option;
    }
}

TEST_F(FacetSheetTest, SilenceEndsKnobAndVolumeAfterSixSeconds) {
    for (const char* button : {"1004", "1005"}) {
        openIo({{"knob", "1"}, {"volume", "1"}});
        ASSERT_TRUE(run(std::string("press ") + button + ";wait 5500")) << button;
        EXPECT_NE(sheet().testDialog(), nullptr) << button;
        ASSERT_TRUE(run("wait 2000")) << button;
        EXPECT_EQ(sheet().testDialog(), nullptr) << button;
        EXPECT_TRUE(ui_.messages().empty()) << button;
    }
}

TEST_F(FacetSheetTest, TheKeypadTimesOutAfterTwoMinutesNotBefore) {
    openIo({{"keys", "1"}});
    ASSERT_TRUE(run("press 1003;wait 119000"));
    EXPECT_NE(sheet().testDialog(), nullptr);
    const std::size_t from = mark();
    ASSERT_TRUE(run("wait 3000"));
    EXPECT_EQ(sheet().testDialog(), nullptr);
    EXPECT_EQ(ui_.messages(), Messages{"Keypad test has timed out after two minutes."});
    EXPECT_EQ(commandsSince(from), Lines{""});
}

TEST_F(FacetSheetTest, LeavingTheSheetEndsTheStream) {
    openIo({{"keys", "123456789"}});
    ASSERT_TRUE(run("press 1003;wait 300"));
    const std::size_t from = mark();
    ASSERT_TRUE(run("cancel"));
    EXPECT_EQ(commandsSince(from), Lines{""});
    EXPECT_EQ(bench_->sheet(), nullptr);
}

TEST_F(FacetSheetTest, DisplayAndEepromTests) {
    struct Case {
        const char* name;
        sim::ModelOptions radio;
        const char* script;
        const char* answers;  // 'y' or 'n' to each question
        const char* sent;
        int status;
        bool complete;
        Messages last;  // the messages after the test's own first one
    };
    const Case cases[] = {
        {"contrast yes", sim::ModelOptions(), "page 2;press 1006", "y",
         "cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24", CGeneralPage::kContrastStatus,
         true, told("Did LCD change in contrast?", "LCD test was completed successfully.")},
        {"contrast no", sim::ModelOptions(), "page 2;press 1006", "n",
         "cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24;cmd 24", CGeneralPage::kContrastStatus,
         false, told("Did LCD change in contrast?", "Could not complete LCD Contrast test.")},
        {"contrast FAIL", option("fail", "24"), "page 2;press 1006", "", "cmd 24",
         CGeneralPage::kContrastStatus, false,
         told("LCD Contrast Test Failed! Please Retry.", "Could not complete LCD Contrast test.")},
        {"backlight", sim::ModelOptions(), "page 2;press 1007", "y",
         "cmd 25 1;cmd 25;cmd 25 1;cmd 25;cmd 25 1;cmd 25;cmd 25 1;cmd 25;cmd 25 1;cmd 25",
         CGeneralPage::kBacklightStatus, true,
         told("Did the light change ON and OFF?", "Backlight test was completed successfully.")},
        {"lcd", sim::ModelOptions(), "page 2;press 1009", "", "cmd 28", CGeneralPage::kLcdStatus,
         true, told("LCD test was completed successfully.")},
        {"lcd too slow", option("lcd", "85000"), "page 2;press 1009", "", "cmd 28",
         CGeneralPage::kLcdStatus, false,
         told("LCD test failed! Please retry.", "Could not complete LCD test.")},
        {"eeprom", sim::ModelOptions(), "page 4;press 1008", "", "cmd 27",
         CGeneralPage3::kEepromStatus, true, told("EEPROM test was completed successfully.")},
        {"eeprom at 24 s", option("eeprom", "23900"), "page 4;press 1008", "", "cmd 27",
         CGeneralPage3::kEepromStatus, true, told("EEPROM test was completed successfully.")},
        {"eeprom too slow", option("eeprom", "55000"), "page 4;press 1008", "", "cmd 27",
         CGeneralPage3::kEepromStatus, false,
         told("EEPROM Test Failed!", "Could not complete EEPROM test.")},
        {"eeprom garbled", option("garble", "27"), "page 4;press 1008", "", "cmd 27",
         CGeneralPage3::kEepromStatus, false,
         told("EEPROM Test Failed!", "Could not complete EEPROM test.")},
    };
    for (const Case& c : cases) {
        open(TestSheetChoice::Io, c.radio);
        for (const char* a = c.answers; *a; ++a) ui_.answers.push_back(*a == 'y');
        EXPECT_EQ(lastStep(c.script), split(c.sent)) << c.name;
        EXPECT_EQ(page().text(c.status), c.complete ? kComplete : kPending) << c.name;
        Messages shown = ui_.messages();
        if (!shown.empty()) shown.erase(shown.begin());
        EXPECT_EQ(shown, c.last) << c.name;
    }
}

}  // namespace
}  // namespace tw::testtune
