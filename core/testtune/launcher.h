#pragma once

#include <memory>
#include <optional>
#include <string>

#include "testtune/pick_test.h"
#include "testtune/radio_facts.h"
#include "testtune/sheet_transmitter.h"
#include "testtune/test_sheet.h"
#include "view/family_page.h"

namespace tw::testtune {

inline constexpr const char* kCouldNotInitialize =
    "Could not initialize GVE. Make sure radio is in application mode and the personality has "
    "been programmed with the diagnostic mode set.";
inline constexpr const char* kBatteryTooLow =
    "Battery level is too low. The radio should be connected to a bench power supply with a "
    "battery eliminator for alignment.";
inline constexpr int kLowestBattery = 195;

// How the last launch went, for front ends that show it.
struct LaunchReport {
    std::optional<TestSheetChoice> choice;  // nothing: the picker was cancelled
    bool connected = false;
    int battery = -1;
    RadioFacts facts;
    bool opened = false;  // the sheet is up
    std::string title;
};

// Launches test sheets from the family page: picker, sheet, connect, battery check. The sheet
// that opened stays with the bench (for front ends that drive it step by step) until it is
// closed, the next launch starts, or the bench goes.
class AlignmentBench {
  public:
    explicit AlignmentBench(Env& env) : env_(env) {}
    ~AlignmentBench();
    AlignmentBench(const AlignmentBench&) = delete;
    AlignmentBench& operator=(const AlignmentBench&) = delete;

    // Shows the picker through the Ui, then launches what was picked.
    CTestSheet* launch();
    CTestSheet* launch(TestSheetChoice choice);

    // The open sheet, or nullptr (also once the link was lost and the sheet closed).
    CTestSheet* sheet() const;
    void closeSheet();
    const LaunchReport& report() const { return report_; }
    Env& env() { return env_; }
    // How the last sheet that ended (by closeSheet, the next launch or a failed one) left the
    // radio's transmitter.
    TransmitterAfterSheet transmitterAfterSheet() const { return transmitterAfter_; }

  private:
    Env& env_;
    std::unique_ptr<CTestSheet> sheet_;
    LaunchReport report_;
    TransmitterAfterSheet transmitterAfter_ = TransmitterAfterSheet::Untold;
};

// The "GVE Alignment" button of the BLT page: launch, then run the sheet modally through the
// Ui. True when a sheet was run. `after`, when given, takes how the sheet left the transmitter.
bool runGveAlignment(Env& env, TransmitterAfterSheet* after = nullptr);

// The front ends' step for the same button: "alignment io|rf|frontcap|cancel" answers the
// picker; the sheet stays open on `bench` for the steps that follow. Service work only.
PageAction alignmentAction(AlignmentBench& bench);

}  // namespace tw::testtune
