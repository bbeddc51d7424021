#pragma once

#include <string>
#include <vector>

#include "families/kvr/marten30_image.h"

namespace tw::kvr {

// The maintenance report of the MARTEN 30 tab, from the image.
std::vector<std::string> marten30ReportLines(const Marten30Image& image);

}  // namespace tw::kvr
