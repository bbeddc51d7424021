#pragma once

#include <map>
#include <string>
#include <vector>

namespace tw::app {

// Options of the desktop program's command line.
struct AppOptions {
    bool simulate = false;  // in-process simulated radios instead of serial ports
    bool service = false;   // the Enter Test Mode command on the Radio menu
    bool help = false;
    bool noHistory = false;  // keep no copy of this run's radio reads
    std::string device;      // every port opens this device
    std::string ini;         // the profile file; empty: the default place
    std::string trace;       // serial traffic trace file
    // Options of the simulated radios, by family (--sim-option FAMILY:KEY=VALUE).
    std::map<std::string, std::map<std::string, std::string>> simOptions;
};

extern const char* const kAppUsage;

// Parses the arguments after the program name (Qt's own options already removed). False
// with `why` on a usage error.
bool parseAppOptions(const std::vector<std::string>& args, AppOptions& out, std::string& why);

}  // namespace tw::app
