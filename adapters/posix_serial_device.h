#pragma once

#include "link/device.h"

namespace tw {

// Real serial ports through termios, for programs that run no Qt event loop (a host that
// loads the personality plug-in). Same rules as the Qt adapter: 8N1 without flow control,
// stale input dropped at open, a pseudo-terminal's break and modem lines succeed without
// effect, and a failed open says why in words a technician can act on.
class PosixSerialDeviceFactory : public DeviceFactory {
  public:
    OpenResult open(const std::string& path, int baud) override;
};

}  // namespace tw
