#include "config/port_apply.h"

#include "config/profile.h"
#include "util/text.h"

namespace tw {

SlkHandle openOnCurrentPort(SerialLink& link, Profile& profile, int currentPort, int baud) {
    using namespace profile_keys;
    const int saved = profile.getInt(kCommSection, kPortNumber, -1);
    const bool changed = saved != currentPort;
    if (changed && !profile.writeString(kCommSection, kPortNumber, format("%1d", currentPort))) {
        // Opening now would silently use the saved port instead of the chosen one.
        return kNoLink;
    }
    const SlkHandle h = link.slkInit(1, baud);
    if (changed) profile.writeString(kCommSection, kPortNumber, format("%1d", saved));
    return h;
}

}  // namespace tw
