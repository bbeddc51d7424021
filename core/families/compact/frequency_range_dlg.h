#pragma once

#include <array>
#include <string>
#include <vector>

#include "families/compact/compact_tables.h"
#include "ui/dialog.h"

namespace tw::compact {

// The "Choose Frequency Range" dialog of the Defaults buttons: five band lines, one of which
// may be selected; OK hands the selection back (-1 when none is selected).
class CChooseFrequencyRangeDlg : public Dialog {
  public:
    static constexpr const char* kKind = "ChooseFrequencyRange";
    static constexpr const char* kTitle = "Choose Frequency Range";
    // The list, for set() and as the widget's object name.
    static constexpr const char* kRangeList = "range";
    // Over the list: its lines give the band's edges as bare numbers.
    static constexpr const char* kRangeHead = "Frequency range (MHz)";

    // `band` is preselected when it is 0 to 4.
    CChooseFrequencyRangeDlg(const CompactModel& model, int band);

    std::string kind() const override { return kKind; }
    std::vector<std::string> describe() const override;
    // "range" with a line number 0 to 4.
    bool set(const std::string& control, const std::string& value) override;

    int templateId() const { return templateId_; }
    const std::vector<std::string>& lines() const { return lines_; }
    int selection() const { return selection_; }

  private:
    int templateId_;
    std::vector<std::string> lines_;
    int selection_ = -1;
};

}  // namespace tw::compact
