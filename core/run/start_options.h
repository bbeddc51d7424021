#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tw {

// The options both programs take, about what a run reaches and keeps. Each program parses
// its own options besides.
struct StartOptions {
    bool simulate = false;   // simulated radios answer instead of serial ports
    bool service = false;    // started for service work
    bool noHistory = false;  // keep no copy of this run's radio reads
    std::string device;      // every port opens this device
    std::string ini;         // the profile file; empty: the default place
    std::string trace;       // serial traffic trace file
    // Options of the simulated radios, by family. Where the options name no family
    // (KEY=VALUE: the command line runs one family) they are kept under "".
    std::map<std::string, std::map<std::string, std::string>> simOptions;
};

// How a program words the shared options: the desktop program refuses an empty value and
// names the family in --sim-option (FAMILY:KEY=VALUE); the command line does neither.
struct OptionSyntax {
    bool emptyValues = false;
    bool simOptionFamily = false;
};

// Other: the argument is none of the options asked about.
enum class OptionRead { Taken, Other, Error };

// Reads args[i] if it is a shared option, with its value (`i` then stands on the value).
// Error with `why` on a missing or malformed value.
OptionRead readStartOption(const std::vector<std::string>& args, std::size_t& i,
                           const OptionSyntax& syntax, StartOptions& out, std::string& why);

// The value that follows the option args[i] (`i` moves onto it); false with `why` when
// there is none.
bool optionValue(const std::vector<std::string>& args, std::size_t& i, bool emptyAllowed,
                 std::string& out, std::string& why);

}  // namespace tw
