#pragma once

#include "link/serial_link.h"

namespace tw {

class Profile;

// Opens the link on the application's current port. The library takes its port from the
// profile, so the current port is written there for the moment of opening and the value the
// user saved is put back right after: the file always keeps the user's saved port.
// Returns kNoLink when the port cannot be opened; the link's lastOpenError() says why.
SlkHandle openOnCurrentPort(SerialLink& link, Profile& profile, int currentPort, int baud);

}  // namespace tw
