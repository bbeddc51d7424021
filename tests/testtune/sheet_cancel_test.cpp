#include <gtest/gtest.h>

#include "run/radio_operation.h"
#include "sheet_fixture.h"
#include "testtune/facet_pages.h"

namespace tw::testtune {
namespace {

class SheetCancelTest : public SheetTest {
  protected:
    const Controls& page() { return sheet().activePage().controls(); }
    // The index of the last byte of `line` in what the radio takes during `step`, on a fresh
    // sheet prepared by `before`.
    long lineEnd(TestSheetChoice choice, const sim::ModelOptions& radio, const char* before,
                 const char* step, const std::string& line) {
        open(choice, radio);
        EXPECT_TRUE(run(before));
        const long from = static_cast<long>(model().received().size());
        run(step);
        const std::string taken = sentText().substr(static_cast<std::size_t>(from));
        const auto at = taken.find(line + "\r");
        EXPECT_NE(at, std::string::npos) << line;
        return from + static_cast<long>(at + line.size());
    }
};

TEST_F(SheetCancelTest, ACancelLeavesTheRadioSafeAndNeverDisruptsTheEepromTest) {
    struct Case {
        const char* what;
        TestSheetChoice sheet;
        sim::ModelOptions radio;
        const char* before;
        const char* step;
        const char* cancelAt;  // the line the radio is taking when Cancel is pressed
        bool cancelled;
        const char* lastLine;  // the last line the radio took
        bool portOpen;
    };
    const Case cases[] = {
        // The sheet's port was opened at its launch; the finishing step still closes it.
        {"keyed transmitter", TestSheetChoice::StandardRf, kBand8, "", "press 1070", "cmd 74 1",
         true, "cmd 74 0", false},
        {"before the transmitter is keyed", TestSheetChoice::StandardRf, kBand8, "", "press 1070",
         "cmd 85 0", true, "cmd 85 0", true},
        // The test polls (reads only) until the radio's reply, as without the cancel.
        {"EEPROM test",
         TestSheetChoice::Io,
         {},
         "page 4",
         "press 1008",
         "cmd 27",
         false,
         "cmd 27",
         true},
    };
    for (const auto& c : cases) {
        const long at = lineEnd(c.sheet, c.radio, c.before, c.step, c.cancelAt);
        open(c.sheet, c.radio);
        ASSERT_TRUE(run(c.before)) << c.what;
        CancelSignal cancel;
        factory_->faults().cancelAtReceived = at;
        factory_->faults().cancel = [&cancel] { cancel.request(); };
        const std::size_t holdsBefore = ui_.cancelHolds().size();
        const OperationOutcome outcome =
            runRadioOperation(*serial_, cancel, ui_, RadioWork::Read, [&] { return run(c.step); });
        EXPECT_EQ(outcome.cancelled, c.cancelled) << c.what;
        EXPECT_FALSE(model().state().keyed) << c.what;
        ASSERT_FALSE(model().lines().empty());
        EXPECT_EQ(model().lines().back().text, c.lastLine) << c.what;
        const SlkHandle port = bench_->sheet() ? sheet().link().port().handle() : kNoLink;
        EXPECT_EQ(serial_->isOpen(port), c.portOpen) << c.what;
        // Only the EEPROM test holds Cancel back, and offers it again once it is done.
        const std::vector<bool> holds =
            c.sheet == TestSheetChoice::Io ? std::vector<bool>{true, false} : std::vector<bool>{};
        EXPECT_EQ(std::vector<bool>(ui_.cancelHolds().begin() + static_cast<long>(holdsBefore),
                                    ui_.cancelHolds().end()),
                  holds)
            << c.what;
        if (c.sheet == TestSheetChoice::Io) {
            EXPECT_EQ(page().text(CGeneralPage3::kEepromStatus), kComplete) << c.what;
        }
    }
}

}  // namespace
}  // namespace tw::testtune
