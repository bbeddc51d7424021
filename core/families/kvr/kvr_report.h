#pragma once

#include <string>
#include <vector>

#include "families/kvr/tracking_values.h"

namespace tw::kvr {

// The maintenance report of the KVR tab, from the texts of the 21 boxes.
std::vector<std::string> kvrReportLines(const TrackingTexts& texts);

}  // namespace tw::kvr
