#pragma once

#include "adapters/serial_failure.h"
#include "link/device.h"

namespace tw {

// Real serial ports through QSerialPort. A pseudo-terminal opens like a port; it cannot carry
// breaks or modem lines, so those succeed there (and only there) without effect.
class QSerialDeviceFactory : public DeviceFactory {
  public:
    OpenResult open(const std::string& path, int baud) override;
};

}  // namespace tw
