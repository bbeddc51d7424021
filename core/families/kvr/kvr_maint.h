#pragma once

#include "families/kvr/initial_data.h"
#include "families/kvr/tracking_values.h"
#include "view/family_page.h"
#include "view/shared_messages.h"

namespace tw::kvr {

class KvrLink;

// Opens the link and wakes the radio, telling the technician to power it on first and what
// went wrong; the link is closed on failure.
bool openAndHandshake(Env& env, KvrLink& link);

// The page of tab 0 (KVR and ORBIT FTX radios): 21 tracking values read from and written to
// the radio's block at 0x17E0 or a ".tk1" file, and the "Radio Type" button that rewrites
// the first byte of the radio's initial data.
class CKvrMaint : public FamilyPage {
  public:
    static constexpr int kRadioTypeButton = 1054;

    explicit CKvrMaint(Env& env);

    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    std::vector<std::string> ReportLines() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override { return {{"tk1", DataSet::Tracking}}; }

    // The "Radio Type" button: reads the initial data and runs the Radio Type dialog, whose
    // script (if any) comes from the Ui. False when a step failed; `written` tells whether
    // the initial data went to the radio.
    bool RadioType(bool* written = nullptr);

  protected:
    std::optional<std::string> valueProblem(int id, const std::string& text) const override;
    std::vector<ComparedField> comparedFields(DataSet set) const override;

  private:
    TrackingTexts texts() const;
    void show(const TrackingTexts& texts);
    // The check and the all-zero question; false stops the operation.
    bool checkBeforeLeaving(const TrackingTexts& texts);

    InitialData initialData_;
};

namespace messages {
inline constexpr const char* kTrackingReadError = "Error reading Tracking Data.\nTurn off radio.";
inline constexpr const char* kTrackingShort = "Insufficient Tracking Data read.\nTurn off radio.";
inline constexpr const char* kTrackingRead =
    "Tracking data read.\nTurn off radio and disconnect from cable.";
inline constexpr const char* kTrackingWritten =
    "Tracking data written.\nTurn off radio and disconnect from cable.";
inline constexpr const char* kTrackingWriteError = "Error writing Tracking Data.\nTurn off radio.";
using shared_text::kAllZero;
inline constexpr const char* kInitialDataReadError =
    "Error reading Initial Data.\nTurn off radio, check programming cable connection and retry.";
using shared_text::kCouldNotOpenFile;
using shared_text::kWrongFileSize;
}  // namespace messages

}  // namespace tw::kvr
