#include "view/comm_settings.h"

namespace tw::comm_settings {

std::string entryText(int entry) {
    return "COM " + std::to_string(entry + 1);
}

int initialEntry(int currentPort) {
    if (currentPort == -1) return 0;
    // A hand-edited profile may name a port outside the list. Showing no selection (rather
    // than silently picking COM 1) keeps OK from changing the port behind the user's back.
    if (currentPort < 1 || currentPort > kEntryCount) return -1;
    return currentPort - 1;
}

int portAfterOk(int entry, int currentPort) {
    if (entry < 0 || entry >= kEntryCount) return currentPort;
    return entry + 1;
}

}  // namespace tw::comm_settings
