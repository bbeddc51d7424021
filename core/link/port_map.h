#pragma once

#include <string>

#include "config/profile.h"

namespace tw {

// How a port number of Comm Settings becomes a device path, first rule that applies:
//   1. a device named for the whole run (--device PATH) serves every port;
//   2. key "COM<n>" of section "Port Devices" in the profile names the device of port n;
//   3. port n (1..9) is /dev/ttyUSB<n-1>, the usual name of the n-th USB programming cable.
// Any other port number has no device (empty path).
class PortMap {
  public:
    explicit PortMap(const Profile& profile) : profile_(profile) {}

    void setRunDevice(std::string path) { runDevice_ = std::move(path); }

    std::string devicePath(int port) const;
    static std::string defaultDevicePath(int port);

    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 9;

  private:
    const Profile& profile_;
    std::string runDevice_;
};

}  // namespace tw
