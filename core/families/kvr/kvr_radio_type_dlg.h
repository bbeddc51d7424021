#pragma once

#include <string>
#include <vector>

#include "families/kvr/band_split_file.h"
#include "families/kvr/initial_data.h"
#include "families/kvr/kvr_link.h"
#include "ui/dialog.h"
#include "view/env.h"

namespace tw::kvr {

// The Radio Type dialog of the KVR page: it opens with the link still open after the initial
// data were read, offers the four radio types (kRadioTypeList) and the band splits of "rfdata.bin"
// (kBandSplitList; a simulated radio's come from the built sample instead), and writes byte 0 of
// the initial data back on "Write To Radio".
class CKvrRadioTypeDlg : public Dialog {
  public:
    static constexpr int kRadioTypeList = 1513;
    static constexpr int kBandSplitList = 1515;
    static constexpr const char* kWriteButton = "Write To Radio";
    // Where a simulated radio's band splits come from, as the technician is told.
    static constexpr const char* kSampleBandSplitSource =
        "the simulated bench's sample band-split file";

    CKvrRadioTypeDlg(Env& env, KvrLink& link, InitialData& data);

    // Fills both lists and preselects the radio's type and band split. May report a missing
    // band-split file.
    void OnInitDialog();
    // The dialog window goes away: a link still open means nothing was written.
    void OnDestroy();

    std::string kind() const override { return "KvrRadioType"; }
    std::vector<std::string> describe() const override;
    // kRadioTypeList or kBandSplitList, as text, with a line number from 0; an empty value clears
    // the selection.
    bool set(const std::string& control, const std::string& value) override;
    bool press(const std::string& button, bool& accepted) override;
    // Writing changes the radio; a front end that was told nothing must not do it.
    std::string defaultButton() const override { return "Cancel"; }

    const std::vector<std::string>& radioTypeLines() const { return radioTypeLines_; }
    const std::vector<std::string>& bandSplitLines() const { return bandSplitLines_; }
    int radioTypeSelection() const { return typeSel_; }
    int bandSplitSelection() const { return splitSel_; }
    // Write To Radio can be pressed only when there is a band split to write.
    bool writeEnabled() const { return !bandSplitLines_.empty(); }
    bool writeFailed() const { return writeFailed_; }

  private:
    bool writeToRadio();
    void preselectBandSplit();

    Env& env_;
    KvrLink& link_;
    InitialData& data_;
    std::vector<std::string> radioTypeLines_;
    std::vector<std::string> bandSplitLines_;
    std::vector<int> lineRecords_;
    std::vector<BandSplitRecord> records_;
    int typeSel_ = -1;
    int splitSel_ = -1;
    bool writeFailed_ = false;
};

namespace messages {
inline constexpr const char* kNoBandSplitFile = "Could not find bandsplit data file.";
inline constexpr const char* kBandSplitFileShort =
    "The bandsplit data file is incomplete.\nNo band split can be selected.";
inline constexpr const char* kChooseTypeAndSplit =
    "Select a radio type and a band split before writing to the radio.";
inline constexpr const char* kBandSplitHasNoCode =
    "The selected band split cannot be written to this radio.\nSelect another band split.";
inline constexpr const char* kInitialDataWritten =
    "Initial data written.\nTurn off radio and disconnect from cable.";
inline constexpr const char* kInitialDataWriteError =
    "Error Writing Initial Data.\nTurn off radio.";
inline constexpr const char* kActionCancelled =
    "Action cancelled.\nTurn off radio and disconnect from cable.";
}  // namespace messages

}  // namespace tw::kvr
