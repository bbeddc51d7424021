#pragma once

#include <string>

#include "families/hln/hln_link.h"

namespace tw::hln {

// Opens the port (the link's opener), connects as `radioType` and sends "GF". On success the radio
// is in test mode and the port stays open until HlnLeaveTestMode; `modelName` holds the model.
bool HlnEnterTestMode(HlnLink& link, std::string& modelName, char radioType);

// Sends the leave byte and closes the port whatever the answer.
bool HlnLeaveTestMode(HlnLink& link);

}  // namespace tw::hln
