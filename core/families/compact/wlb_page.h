#pragma once

#include "families/compact/compact_page.h"

namespace tw::compact {

// The page of tab 4 (WLB radios): 20 tracking values and the band index, ".tk5" files.
class CWlbPage : public CCompactPage {
  public:
    explicit CWlbPage(Env& env) : CCompactPage(env, wlbModel()) {}
    std::vector<std::string> ReportLines() override;
};

// The maintenance report of a WLB page, from the texts of its fields.
std::vector<std::string> wlbReportLines(const Controls& controls);

}  // namespace tw::compact
