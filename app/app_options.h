#pragma once

#include <string>
#include <vector>

#include "run/start_options.h"

namespace tw::app {

// Options of the desktop program's command line: the shared ones (--service offers the
// Enter Test Mode command on the Radio menu) and its help.
struct AppOptions : StartOptions {
    bool help = false;
};

extern const char* const kAppUsage;

// Parses the arguments after the program name (Qt's own options already removed). False
// with `why` on a usage error.
bool parseAppOptions(const std::vector<std::string>& args, AppOptions& out, std::string& why);

}  // namespace tw::app
