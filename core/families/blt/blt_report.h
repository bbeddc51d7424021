#pragma once

#include <string>
#include <vector>

#include "families/blt/radio_data.h"

namespace tw::blt {

// The maintenance report of the BLT page: serial number, feature bytes, the tracking block of
// the held version and the radio's status text.
std::vector<std::string> bltReportLines(const RadioData& data);

// The status text as report lines: each line ended by CR LF, and an unended last line too,
// indented by ten blanks.
std::vector<std::string> statusReportLines(const std::string& statusText);

}  // namespace tw::blt
