#include "app/app_options.h"

#include "view/main_view.h"

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
  --sim-option FAMILY:KEY=VALUE
                  option of one family's simulated radio (repeatable; with --simulate), as
                  tunewright-sim takes it: e.g. blt:version=2 for a radio whose tracking
                  data can be upgraded, hln:type=A for an HLN radio
  --service       offer Enter Test Mode on the Radio menu and GVE Alignment
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
        } else if (a == "--sim-option") {
            std::string v;
            if (!value(v)) return false;
            const auto colon = v.find(':');
            const auto eq = v.find('=', colon == std::string::npos ? 0 : colon);
            if (colon == std::string::npos || colon == 0 || eq == std::string::npos ||
                eq == colon + 1) {
                why = "--sim-option needs FAMILY:KEY=VALUE";
                return false;
            }
            const std::string family = v.substr(0, colon);
            if (tabOfFamily(family) < 0) {
                why = "--sim-option: no family " + family;
                return false;
            }
            out.simOptions[family][v.substr(colon + 1, eq - colon - 1)] = v.substr(eq + 1);
        } else {
            why = "unknown option " + a;
            return false;
        }
    }
    if (!out.simOptions.empty() && !out.simulate) {
        why = "--sim-option needs --simulate";
        return false;
    }
    return true;
}

}  // namespace tw::app
