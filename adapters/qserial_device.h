#pragma once

#include "link/device.h"

namespace tw {

// Real serial ports through QSerialPort. A pseudo-terminal opens like a port; it cannot carry
// breaks or modem lines, so those succeed there (and only there) without effect.
class QSerialDeviceFactory : public DeviceFactory {
  public:
    OpenResult open(const std::string& path, int baud) override;
};

// True when the path names the slave side of a pseudo-terminal.
bool isPseudoTerminal(const std::string& path);

}  // namespace tw
