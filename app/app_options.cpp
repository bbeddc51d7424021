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
  --sim-option FAMILY:KEY=VALUE
                  option of one family's simulated radio (repeatable; with --simulate), as
                  tunewright-sim takes it: e.g. blt:version=2 for a radio whose tracking
                  data can be upgraded, hln:type=A for an HLN radio
  --service       offer Enter Test Mode on the Radio menu and GVE Alignment
  --no-history    keep no copy of this run's radio reads in the history folder
  --help          this text
)";

bool parseAppOptions(const std::vector<std::string>& args, AppOptions& out, std::string& why) {
    const OptionSyntax syntax{.emptyValues = false, .simOptionFamily = true};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
            continue;
        }
        const OptionRead read = readStartOption(args, i, syntax, out, why);
        if (read == OptionRead::Error) return false;
        if (read == OptionRead::Other) {
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
