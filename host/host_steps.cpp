#include "host_steps.h"

#include <cstdlib>
#include <map>

namespace tw::host {
namespace {

bool isNumber(const std::string& s) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

const char* const kStepsHelp =
    R"(Steps (run in order on one held personality):
  type X                IsTransForID with letter X
  tabs                  AddTabs
  pages TAB             AddDlgs: the titles and dialog ids of a tab
  trap D C              GetControlTrap of dialog D, control C
  range D C             GetRange
  init D C [CTL ...]    InitControl on a page of controls
  validate D C [CTL ...]  ValidateField on a page of controls
  conv-channel [CTL ...]  ValidateConvChannel on the conventional channel dialog
                        CTL: ID=TEXT, ID=on|off, ID=#INDEX (selected), ID=items:A|B
  new TYPE BAND         an empty personality of that type whose band limits give BAND
                        (1, 2, 5, 7, 11, 12 or 13)
  read-radio            ReadPers from the radio on port 1
  write-radio [--id-override N]  WritePers to the radio on port 1
  read-file IMAGE [--desc L[,B3,B4]]   ReadPers from an image file
  write-file IMAGE [--desc L[,B3,B4]]  WritePers to an image file
  load FILE             the personality of a JSON file (checked as a whole first)
  save FILE             the held personality as a JSON file
  set POINTER=JSON      one value of the held personality's JSON, at a JSON Pointer,
                        checked as load checks a file (e.g. set /name='"DEPOT 7"')
  show                  the held personality's JSON, as save writes it
  diff FILE             the held personality's JSON against a JSON file's (read as load
                        reads it, the held one unchanged), by JSON Pointer: one line each,
                        "changed /P: HELD -> FILE", "added /P: FILE", "removed /P: HELD";
                        arrays index by index; --json adds "differences" [{"op", "path",
                        "held", "file"}] (no "held" when added, no "file" when removed)
)";

bool groupSteps(const std::vector<std::string>& words, std::vector<Step>& steps, std::string& why) {
    static const std::map<std::string, int> fixedArgs = {
        {"type", 1},        {"tabs", 0},      {"pages", 1},        {"trap", 2}, {"range", 2},
        {"init", 2},        {"validate", 2},  {"conv-channel", 0}, {"new", 2},  {"read-radio", 0},
        {"write-radio", 0}, {"read-file", 1}, {"write-file", 1},   {"show", 0}, {"load", 1},
        {"save", 1},        {"set", 1},       {"diff", 1}};
    for (std::size_t i = 0; i < words.size();) {
        Step s;
        s.name = words[i++];
        const auto known = fixedArgs.find(s.name);
        if (known == fixedArgs.end()) {
            why = "unknown step " + s.name;
            return false;
        }
        for (int k = 0; k < known->second; ++k) {
            if (i >= words.size()) {
                why = s.name + " needs " + std::to_string(known->second) + " argument(s)";
                return false;
            }
            s.args.push_back(words[i++]);
        }
        const bool pageStep = s.name == "init" || s.name == "validate" || s.name == "conv-channel";
        while (i < words.size()) {
            const std::string& w = words[i];
            if (pageStep && w.find('=') != std::string::npos && w.rfind("--", 0) != 0) {
                s.args.push_back(w);
                ++i;
            } else if ((s.name == "read-file" || s.name == "write-file") && w == "--desc" &&
                       i + 1 < words.size()) {
                s.desc = words[i + 1];
                i += 2;
            } else if (s.name == "write-radio" && w == "--id-override" && i + 1 < words.size()) {
                s.idOverride = words[i + 1];
                if (!isNumber(s.idOverride)) {
                    why = "--id-override needs a number";
                    return false;
                }
                i += 2;
            } else {
                break;
            }
        }
        if ((s.name == "trap" || s.name == "range" || s.name == "init" || s.name == "validate" ||
             s.name == "pages") &&
            (!isNumber(s.args[0]) ||
             (s.args.size() > 1 && s.name != "pages" && !isNumber(s.args[1])))) {
            why = s.name + " needs numbers";
            return false;
        }
        if (s.name == "new" && (s.args[0].size() != 1 || !isNumber(s.args[1]))) {
            why = "new needs a type letter and a band code";
            return false;
        }
        if (s.name == "set" && (s.args[0].find('=') == std::string::npos ||
                                (s.args[0][0] != '/' && s.args[0][0] != '='))) {
            why = "set needs POINTER=JSON, the pointer starting with '/'";
            return false;
        }
        if (s.name == "type" && s.args[0].size() != 1) {
            why = "type needs one letter";
            return false;
        }
        steps.push_back(std::move(s));
    }
    return true;
}

bool parseDescription(const std::string& text, unsigned heldType, unsigned char out[5]) {
    out[0] = static_cast<unsigned char>(heldType & 0xFF);
    out[1] = out[2] = out[3] = out[4] = 0;
    if (text.empty()) return true;
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (true) {
        const auto comma = text.find(',', at);
        parts.push_back(
            text.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    if (parts.size() != 1 && parts.size() != 3) return false;
    if (parts[0].size() != 1) return false;
    out[0] = static_cast<unsigned char>(parts[0][0]);
    for (std::size_t k = 1; k < parts.size(); ++k) {
        if (!isNumber(parts[k]) || std::atoi(parts[k].c_str()) > 255) return false;
        out[k + 2] = static_cast<unsigned char>(std::atoi(parts[k].c_str()));
    }
    return true;
}

bool bandLimitsFor(int band, double out[4]) {
    struct Band {
        int code;
        double lower, upper;
    };
    static constexpr Band kBands[] = {{13, 136, 150}, {1, 150, 174},  {2, 403, 440}, {5, 440, 470},
                                      {7, 470, 512},  {11, 806, 870}, {12, 896, 941}};
    for (const Band& b : kBands) {
        if (b.code != band) continue;
        out[0] = out[1] = b.lower;
        out[2] = out[3] = b.upper;
        return true;
    }
    return false;
}

}  // namespace tw::host
