#pragma once

#include <string>

namespace tw {

// True when the path names the slave side of a pseudo-terminal. A pseudo-terminal opens like
// a port but carries no break and no modem lines: the adapters let those succeed there (and
// only there) without effect.
bool isPseudoTerminal(const std::string& path);

// Why the path cannot be a usable serial port, from what the file system says: missing,
// not a character device, or not ours to use. Empty when none of these explains it.
std::string deviceAccessProblem(const std::string& path);

inline constexpr const char* kNoSuchDevice = "no such device; is the programming cable plugged in?";
inline constexpr const char* kDeviceBusy = "the device is busy; another program is using it";

}  // namespace tw
