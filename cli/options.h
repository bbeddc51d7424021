#pragma once

#include <string>
#include <vector>

#include "cli/cli_ui.h"
#include "run/start_options.h"

namespace tw {
class FamilyPage;
struct PageAction;
}  // namespace tw

namespace tw::cli {

// What the command line asked for: the options it shares with the desktop program (its
// --sim-option names no family: they are under "") and its own. Parsing needs no Qt, so it
// can be tested and fuzzed alone.
struct Options : StartOptions {
    std::string radioType, family;
    int port = 0;
    bool hasPort = false, json = false;
    bool noCopyBeforeWrite = false, allowOtherRadio = false;
    CliUi::Answers answers = CliUi::Answers::Ask;
    std::vector<std::string> faults;
    std::vector<std::string> steps;
};

enum class Parsed { Run, Help, UsageError };

// Fills `o` from the arguments after the program name; `why` says what is wrong on a usage
// error.
Parsed parseOptions(const std::vector<std::string>& args, Options& o, std::string& why);

// One step of the run with the words that belong to it.
struct Step {
    std::string name;
    std::vector<std::string> args;
};

// Names of the steps that are menu commands (every page has them).
bool isCommandStep(const std::string& name);
bool isFileStep(const std::string& name);

// Splits the step words into steps with their arguments, checked against the page's steps
// (`actions`) and controls; a service step without `service` is refused. False with `why` on
// a usage error.
bool groupSteps(const std::vector<std::string>& words, FamilyPage& page,
                const std::vector<PageAction>& actions, bool service, std::vector<Step>& out,
                std::string& why);

}  // namespace tw::cli
