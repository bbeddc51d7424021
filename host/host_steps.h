#pragma once

#include <string>
#include <vector>

namespace tw::host {

// One step of a run: its name and the words that belong to it.
struct Step {
    std::string name;
    std::vector<std::string> args;
    std::string desc;        // --desc LETTER[,B3,B4] of read-file / write-file
    std::string idOverride;  // --id-override N of write-radio
};

// Groups the words after the options into steps; false and `why` for a usage error.
bool groupSteps(const std::vector<std::string>& words, std::vector<Step>& steps, std::string& why);

// The radio description of --desc (default: the held type, 0, 0); false for a bad one.
bool parseDescription(const std::string& text, unsigned heldType, unsigned char out[5]);

// Band limits (MHz: lower, lower, upper, upper) whose lower edge gives the band code; false
// for a code no radio uses.
bool bandLimitsFor(int band, double out[4]);

extern const char* const kStepsHelp;

}  // namespace tw::host
