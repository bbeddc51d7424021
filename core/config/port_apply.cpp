#include "config/port_apply.h"

namespace tw {

SlkHandle openOnCurrentPort(SerialLink& link, int currentPort, int baud) {
    return link.slkOpen(currentPort, baud);
}

}  // namespace tw
