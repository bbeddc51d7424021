#pragma once

#include <array>

#include "families/kvr/marten30_image.h"
#include "history/read_history.h"
#include "view/family_page.h"
#include "view/shared_messages.h"

namespace tw::kvr {

class Marten30Dialog;

// The page of tab 6 (MARTEN 30 radios): the 512-byte tracking image, read twice per block and
// compared, written block by block with a read-back check, kept in ".tk7" files, shown as
// radio type, band split, country, serial number and radio code, and edited through five
// dialogs.
class CMarten30Page : public FamilyPage {
  public:
    // Display fields.
    static constexpr int kRadioType = 2012;
    static constexpr int kBandSplit = 2070;
    static constexpr int kCountry = 2071;
    static constexpr int kSerialNumber = 2075;
    static constexpr int kRadioCode = 2078;
    // Buttons.
    static constexpr int kRadioStatusButton = 2005;
    static constexpr int kSquelchButton = 2072;
    static constexpr int kDeviationButton = 2073;
    static constexpr int kCloningButton = 2074;
    static constexpr int kCountryButton = 2076;
    static constexpr int kPowerButton = 2077;

    // A display field and the label the window shows before it.
    struct DisplayField {
        const char* label;
        int control;
    };
    // In the window's order.
    static constexpr std::array<DisplayField, 5> kDisplayFields = {{{"Radio Type:", kRadioType},
                                                                    {"Band Split:", kBandSplit},
                                                                    {"Country:", kCountry},
                                                                    {"Serial No.:", kSerialNumber},
                                                                    {"Radio Code:", kRadioCode}}};

    explicit CMarten30Page(Env& env);

    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    std::vector<std::string> ReportLines() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override { return {{"tk7", DataSet::Tracking}}; }
    // The whole image, byte by byte, named where the page names the byte.
    std::vector<ComparedValue> comparedValues(DataSet set) const override;

    // The edit buttons: the image changes only when the dialog closes with OK.
    bool EditSquelch();
    bool EditDeviation();
    bool EditPower();
    bool EditCloning();
    bool EditCountry();

    const Marten30Image& image() const { return image_; }
    void setImage(const Marten30Image& image) { image_ = image; }

  private:
    bool edit(Marten30Dialog& dialog);
    void showFromImage();

    Marten30Image image_{};
    // The history copy the image on the page was loaded from, if any.
    std::optional<KeptRead> loadedCopy_;
};

namespace messages {
using shared_text::kCouldNotInitialize;
inline constexpr const char* kInvalidRead = "Invalid Read--Read Aborted. \nTurn off radio.";
inline constexpr const char* kInvalidRadioId = "Invalid Radio Id. ";
inline constexpr const char* kWriteNotVerified = "Write not Verified.";
}  // namespace messages

}  // namespace tw::kvr
