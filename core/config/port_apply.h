#pragma once

#include "link/serial_link.h"

namespace tw {

// Opens the link on the application's current port (the one Comm Settings chose for this
// run), which may differ from the port saved in the profile. The profile is left alone.
// Returns kNoLink when the port cannot be opened; the link's lastOpenError() says why.
SlkHandle openOnCurrentPort(SerialLink& link, int currentPort, int baud);

}  // namespace tw
