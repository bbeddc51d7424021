#pragma once

#include "families/compact/compact_page.h"

namespace tw::compact {

// The page of tab 5 (MARTEN 60P radios): 16 tracking values and the band index, ".tk6" files.
class CMarten60PPage : public CCompactPage {
  public:
    explicit CMarten60PPage(Env& env) : CCompactPage(env, marten60pModel()) {}
    std::vector<std::string> ReportLines() override;

    // Takes the values from the fields and fills `lines` with the page's 18 report lines.
    void MartenReportLines(std::vector<std::string>& lines);
};

}  // namespace tw::compact
