#pragma once

#include <optional>
#include <string>
#include <vector>

#include "families/hln/hln_files.h"
#include "families/hln/hln_link.h"
#include "families/hln/hln_page_ops.h"
#include "families/hln/tracking_layout.h"
#include "history/read_history.h"
#include "view/family_page.h"

namespace tw::hln {

// The HLN family page (tab 1): identity, feature data and the 27 tracking values of one
// radio, with the nine data commands, the test-mode command and the report.
class CHlnmaintDlg : public FamilyPage {
  public:
    explicit CHlnmaintDlg(Env& env);

    bool GetStatus() override;
    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    bool ReadFeaturesFromRadio() override;
    bool ReadFeaturesFromDisk() override;
    bool WriteFeaturesToRadio() override;
    bool WriteFeaturesToDisk() override;
    bool SetTestMode(int on) override;
    std::vector<std::string> ReportLines() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override {
        return {{"tk2", DataSet::Tracking}, {"fea", DataSet::Features}};
    }
    std::vector<ComparedValue> comparedValues(DataSet set) const override;

    // The whole memory image to or from a raw file (as many bytes as the radio holds).
    bool readImageToFile(const std::string& path);
    bool writeImageFromFile(const std::string& path);

    HlnLink& link() { return link_; }
    std::optional<char> lastRadioType() const { return lastType_; }

  protected:
    bool isFeatureControl(int id) const override { return id == ids::kFeatures; }
    std::optional<std::string> valueProblem(int id, const std::string& text) const override;
    std::vector<ComparedField> comparedFields(DataSet set) const override;

  private:
    // Shows Select Radio Type; the letter chosen, or nothing on Cancel.
    std::optional<char> selectRadioType();
    // The feature text as taken from its control: blanks removed.
    std::string takeFeatureText();
    void showTracking(const std::string& trackingText);
    void applyZktRule();
    // A dated copy of what the radio gave, in the family's file format.
    void keepRead(const std::string& extension, const std::string& fileText);
    // The same for tracking data given as hex text in record order: a .tk2 file.
    void keepTrackingRead(const std::string& trackingText);
    // The 27 values in record order; false (with a message) when one is no byte.
    bool trackingValues(HlnTrackingBytes& values);
    // What a write keeps before it changes the radio: the record the last read of the same
    // radio gave, when nothing was written to it since, else the write's own read of it.
    HlnBeforeWrite beforeWrite(bool tracking);
    // Notes a record read from the radio `serial` for the next write to it.
    void rememberRead(const std::string& serial, const std::optional<std::string>& tracking,
                      const std::optional<std::string>& features);
    // The tk2 file of tracking data given as hex text in record order.
    static std::vector<std::uint8_t> tk2Bytes(const std::string& trackingText);
    std::string text(int id) const { return controls_.text(id); }

    HlnLink link_;
    std::optional<char> lastType_;
    // The records of the last reads of one radio, as hex text; forgotten at every write.
    struct LastRead {
        std::string serial;
        std::optional<std::string> tracking, features;
    } lastRead_;
    // The history copies the tracking and feature data on the page were loaded from, if any.
    std::optional<KeptRead> trackingSource_, featureSource_;
};

}  // namespace tw::hln
