#pragma once

#include <cstdint>
#include <vector>

#include "families/compact/compact_tables.h"
#include "view/family_page.h"

namespace tw::compact {

class HexLink;

// What the WLB and MARTEN 60P pages share: a record of tracking values and the band index,
// read from and written to the radio over the 1200-baud hex link, kept in a tracking file in
// file order, shown in step edits that each hold one byte, and filled with factory values
// for a chosen band by the Defaults button.
class CCompactPage : public FamilyPage {
  public:
    CCompactPage(Env& env, const CompactModel& model);

    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override {
        return {{model_.extension, DataSet::Tracking}};
    }

    // The Defaults button: false when the dialog was cancelled.
    bool Defaults();

    const CompactModel& model() const { return model_; }
    // Tracking values in record order, then the band index.
    const std::vector<std::uint8_t>& record() const { return record_; }
    int bandIndex() const { return record_.back(); }

  protected:
    std::optional<std::string> valueProblem(int id, const std::string& text) const override;
    std::vector<ComparedField> comparedFields(DataSet set) const override;
    // Moves the texts of the value fields into the record, or shows which field is out of
    // range and changes nothing.
    bool takeValues();

  private:
    bool connect(HexLink& link);
    bool readBlocks(HexLink& link, StatusWindow& status, std::vector<std::uint8_t>& record);
    bool writeBlocks(HexLink& link, StatusWindow& status);
    bool readBack(HexLink& link, StatusWindow& status);
    // The blocks a read takes, without a word when they do not come.
    bool readHeld(HexLink& link, std::vector<std::uint8_t>& record);
    // Lets go of the port and the status window, then tells the technician.
    void fail(HexLink& link, StatusWindow& status, const char* message);
    // Sends the reset that puts the radio back into service, then lets go of both.
    bool resetRadio(HexLink& link, StatusWindow& status);
    bool allZeroButTxDevHigh() const;
    void showRecord(const std::array<const char*, kBandCount>& bandNames);

    const CompactModel& model_;
    std::vector<std::uint8_t> record_;
};

}  // namespace tw::compact
