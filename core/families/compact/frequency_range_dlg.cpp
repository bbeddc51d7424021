#include "families/compact/frequency_range_dlg.h"

#include "util/text.h"

namespace tw::compact {

CChooseFrequencyRangeDlg::CChooseFrequencyRangeDlg(const CompactModel& model, int band)
    : templateId_(model.dialogTemplate), lines_(model.rangeLines.begin(), model.rangeLines.end()) {
    if (band >= 0 && band < kBandCount) selection_ = band;
}

std::vector<std::string> CChooseFrequencyRangeDlg::describe() const {
    std::vector<std::string> out{std::string(kTitle) + " (" + kRangeList + "):", kRangeHead};
    for (std::size_t i = 0; i < lines_.size(); ++i)
        out.push_back(format("%c %zu  %s", static_cast<int>(i) == selection_ ? '*' : ' ', i,
                             lines_[i].c_str()));
    out.push_back("Buttons: OK, Cancel");
    return out;
}

bool CChooseFrequencyRangeDlg::set(const std::string& control, const std::string& value) {
    if (control != kRangeList || value.size() != 1 || value[0] < '0' ||
        value[0] >= '0' + static_cast<int>(lines_.size()))
        return false;
    selection_ = value[0] - '0';
    return true;
}

}  // namespace tw::compact
