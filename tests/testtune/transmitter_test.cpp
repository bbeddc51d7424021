#include <gtest/gtest.h>

#include "sheet_fixture.h"
#include "testtune/rf_pages.h"

namespace tw::testtune {
namespace {

// The sheet's transmitter indicator as a front end sees it: every announced change, and
// whether the radio was keyed while the sheet said it was off.
class TransmitterTest : public SheetTest {
  protected:
    CTestSheet& watch(TestSheetChoice choice, const sim::ModelOptions& options) {
        CTestSheet& s = open(choice, options);
        shown_.clear();
        hidden_ = false;
        s.setChangeListener([this, &s] {
            hidden_ = hidden_ || (model().state().keyed && !s.transmitterMayBeOn());
            const std::string text = transmitterOnText(s);
            if (shown_.empty() || shown_.back() != text) shown_.push_back(text);
        });
        return s;
    }
    // What the indicator showed since `watch`, the starting blank left out.
    std::vector<std::string> shown() const {
        return {shown_.begin() + (shown_.empty() || !shown_.front().empty() ? 0 : 1), shown_.end()};
    }
    TransmitterAfterSheet closeSheet() {
        bench_->closeSheet();
        return bench_->transmitterAfterSheet();
    }

    std::vector<std::string> shown_;
    bool hidden_ = false;
};

using After = TransmitterAfterSheet;
constexpr const char* kOff = "";

TEST_F(TransmitterTest, EveryPageThatKeysShowsTheTransmitterUntilTheUnkeyIsAnswered) {
    struct Case {
        const char* what;
        TestSheetChoice sheet;
        sim::ModelOptions radio;
        const char* start;
        const char* stop;
        Messages on;  // the indicator while the test runs
    };
    const auto rf = TestSheetChoice::StandardRf;
    const Case cases[] = {
        {"frequency error 800", rf, kBand8, "press 1070", "press 2",
         told("TRANSMITTER ON - 815.0125 MHz")},
        {"frequency error 900", rf, kBand9, "press 1070", "press 2",
         told("TRANSMITTER ON - 899.0125 MHz")},
        // The power page keys before it sets the row's frequency.
        {"power", rf, kBand8, "page 2;press 1150;scroll 1113 focus", "press 1135",
         told("TRANSMITTER ON", "TRANSMITTER ON - 806.0000 MHz", "TRANSMITTER ON - 851.0000 MHz")},
        {"power idle", rf, kBand8, "page 2;press 1150", "wait 20000",
         told("TRANSMITTER ON", "TRANSMITTER ON - 806.0000 MHz")},
        {"I/Q balance", rf, kBand8, "page 3;press 1094", "press 2",
         told("TRANSMITTER ON - 815.0000 MHz")},
        {"microphone", rf, kBand9, "page 4;press 1078", "cancel",
         told("TRANSMITTER ON - 899.0000 MHz")},
        {"tone gate", rf, kBand8, "page 5;press 1129", "press 2",
         told("TRANSMITTER ON - 815.0000 MHz")},
        {"tone gate time-out", rf, kBand8, "page 5;press 1129", "wait 120000",
         told("TRANSMITTER ON - 815.0000 MHz")},
        {"frontcap audio", TestSheetChoice::Frontcap, kBand8, "press 1121", "press 2",
         told("TRANSMITTER ON - 815.0000 MHz")},
    };
    for (const Case& c : cases) {
        CTestSheet& s = watch(c.sheet, c.radio);
        ASSERT_TRUE(run(c.start)) << c.what;
        EXPECT_TRUE(model().state().keyed) << c.what;
        EXPECT_EQ(shown(), c.on) << c.what;
        run(c.stop);
        EXPECT_FALSE(model().state().keyed) << c.what;
        EXPECT_FALSE(s.transmitterMayBeOn()) << c.what;
        EXPECT_EQ(shown().back(), kOff) << c.what;
        EXPECT_FALSE(hidden_) << c.what;
        EXPECT_EQ(closeSheet(), After::Off) << c.what;
    }
}

TEST_F(TransmitterTest, AnUnansweredKeyOrUnkeyLeavesTheTransmitterShown) {
    struct Case {
        const char* what;
        sim::ModelOptions radio;
        const char* script;
        Messages shown;  // the indicator from the start on
        After after;
    };
    const Case cases[] = {
        // The radio may have taken "cmd 74 1" without answering: on until the unkey answers.
        {"key unanswered", with(kBand8, "noreply", "74.1"), "page 4;press 1078",
         told("TRANSMITTER ON - 815.0000 MHz", kOff), After::Off},
        {"key and unkey unanswered", with(kBand8, "noreply", "74"), "page 4;press 1078",
         told("TRANSMITTER ON - 815.0000 MHz"), After::MayBeOn},
        {"unkey refused", with(kBand8, "fail", "74.0"), "press 1070;press 2",
         told("TRANSMITTER ON - 815.0125 MHz"), After::MayBeOn},
        {"power stop unkey refused", with(kBand8, "fail", "74.0"), "page 2;press 1150;press 1135",
         told("TRANSMITTER ON", "TRANSMITTER ON - 806.0000 MHz"), After::MayBeOn},
        // The radio keeps the frequency it last confirmed; one it did not confirm is not shown.
        {"frequency unanswered", with(kBand8, "noreply", "70.806000000"),
         "press 1070;press 2;page 2;press 1150",
         told("TRANSMITTER ON - 815.0125 MHz", kOff, "TRANSMITTER ON - 815.0125 MHz",
              "TRANSMITTER ON"),
         After::Off},
    };
    for (const Case& c : cases) {
        watch(TestSheetChoice::StandardRf, c.radio);
        run(c.script);
        EXPECT_EQ(shown(), c.shown) << c.what;
        EXPECT_FALSE(hidden_) << c.what;
        EXPECT_EQ(closeSheet(), c.after) << c.what;
    }
}

TEST_F(TransmitterTest, ALostConnectionClosesTheSheetWithTheTransmitterStillShown) {
    CTestSheet& s = watch(TestSheetChoice::StandardRf, kBand8);
    ASSERT_TRUE(run("press 1070"));
    pullCableAfter();
    s.link().ConnectionLost();
    EXPECT_TRUE(s.closed());
    EXPECT_TRUE(s.transmitterMayBeOn());
    EXPECT_EQ(closeSheet(), After::MayBeOn);

    // A later sheet that loses its radio without keying cannot say; one that ends in order
    // with nothing keyed can.
    watch(TestSheetChoice::StandardRf, kBand8);
    pullCableAfter();
    bench_->sheet()->link().ConnectionLost();
    EXPECT_EQ(closeSheet(), After::Untold);
    watch(TestSheetChoice::Io, kBand8);
    ASSERT_TRUE(run("cancel"));
    EXPECT_EQ(closeSheet(), After::Off);
}

TEST_F(TransmitterTest, TheRunCarriesHowItsSheetLeftTheTransmitter) {
    radio(with(kBand8, "fail", "74.0"));
    // The picker takes Standard RF; in the sheet the technician starts and stops a test.
    ui_.onDialog = [](Dialog& d) {
        bool accepted = false;
        auto* sheet = dynamic_cast<CTestSheet*>(&d);
        if (!sheet) return d.press("103", accepted), accepted;
        sheet->pressButton(CStandardRFPage1::kStart);
        sheet->pressButton(kIdStop);
        return false;
    };
    auto after = After::Untold;
    EXPECT_TRUE(runGveAlignment(*env_, &after));
    EXPECT_EQ(after, After::MayBeOn);

    ui_.onDialog = nullptr;
    ui_.dialogScripts.push_back({{}, "Cancel"});
    EXPECT_FALSE(runGveAlignment(*env_, &after));
    EXPECT_EQ(after, After::Untold);
}

TEST(MegahertzText, FourDecimalsOrAsManyAsTheFrequencyNeeds) {
    EXPECT_EQ(megahertzText(815012500), "815.0125 MHz");
    EXPECT_EQ(megahertzText(899000000), "899.0000 MHz");
    EXPECT_EQ(megahertzText(851006250), "851.00625 MHz");
    EXPECT_EQ(megahertzText(806000001), "806.000001 MHz");
}

}  // namespace
}  // namespace tw::testtune
