#include "app/app_options.h"

namespace tw::app {

const char* const kAppUsage =
    R"(Usage: tunewright [options]

Bench service tool for two-way radios: one tab per radio family.

Options:
  --simulate      simulated radios answer instead of serial ports (one radio per family,
                  its memory kept while the program runs)
  --device PATH   every port opens PATH (for example a pseudo-terminal of tunewright-sim)
  --ini PATH      the profile file (default: $XDG_CONFIG_HOME/tunewright/novac4.ini)
  --trace FILE    write every byte, break and line change with its time to FILE
  --service       offer Enter Test Mode on the Radio menu
  --no-history    keep no copy of this run's radio reads in the history folder
  --help          this text
)";

bool parseAppOptions(const std::vector<std::string>& args, AppOptions& out, std::string& why) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                why = a + " needs a value";
                return false;
            }
            target = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h")
            out.help = true;
        else if (a == "--simulate")
            out.simulate = true;
        else if (a == "--service")
            out.service = true;
        else if (a == "--no-history")
            out.noHistory = true;
        else if (a == "--device") {
            if (!value(out.device)) return false;
        } else if (a == "--ini") {
            if (!value(out.ini)) return false;
        } else if (a == "--trace") {
            if (!value(out.trace)) return false;
        } else {
            why = "unknown option " + a;
            return false;
        }
    }
    return true;
}

}  // namespace tw::app
