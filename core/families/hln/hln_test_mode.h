#pragma once

#include <functional>
#include <string>

#include "families/hln/hln_link.h"

namespace tw {

// Opens the port the way the caller's radio operations do and returns the handle
// (kNoLink when it cannot be opened).
using HlnPortOpener = std::function<SlkHandle(SerialLink&)>;

// Opens the port, connects as `radioType` and sends "GF". On success the radio is in test
// mode and the port stays open until HlnLeaveTestMode; `modelName` holds the model.
bool HlnEnterTestMode(HlnLink& link, const HlnPortOpener& openPort, std::string& modelName,
                      char radioType);

// Sends the leave byte and closes the port whatever the answer.
bool HlnLeaveTestMode(HlnLink& link);

}  // namespace tw
