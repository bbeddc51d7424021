#pragma once

#include <string>
#include <vector>

#include "view/controls.h"

namespace tw::compact {

// The maintenance report of tab 3: radio type, the band and power texts of the last
// identification, and the tracking values in the page's boxes.
std::vector<std::string> wlaReportLines(const Controls& controls, const std::string& bandText,
                                        const std::string& powerText);

}  // namespace tw::compact
