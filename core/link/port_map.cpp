#include "link/port_map.h"

namespace tw {

std::string PortMap::defaultDevicePath(int port) {
    if (port < kFirstPort || port > kLastPort) return {};
    return "/dev/ttyUSB" + std::to_string(port - 1);
}

std::string PortMap::devicePath(int port) const {
    if (!runDevice_.empty()) return runDevice_;
    if (port < kFirstPort || port > kLastPort) return {};
    std::string configured =
        profile_.getString(profile_keys::kPortDevicesSection, "COM" + std::to_string(port));
    return configured.empty() ? defaultDevicePath(port) : configured;
}

}  // namespace tw
