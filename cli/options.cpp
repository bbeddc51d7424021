#include "cli/options.h"

#include <cstdlib>

#include "view/family_page.h"
#include "view/main_view.h"

namespace tw::cli {
namespace {

const char* const kCommandSteps[] = {
    "get-status",    "read-tracking", "write-tracking", "read-features", "write-features",
    "load-tracking", "save-tracking", "load-features",  "save-features", "test-mode",
};

// A whole decimal number in [low, high], or nothing.
bool wholeNumber(const std::string& text, long low, long high, long& out) {
    if (text.empty() || text.size() > 9) return false;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && out >= low && out <= high;
}

// The words that are no options, and the answer options, until every option is read.
struct Words {
    std::vector<std::string> positional;
    bool yes = false, no = false;
};

OptionRead readPort(const std::vector<std::string>& args, std::size_t& i, Options& o,
                    std::string& why) {
    std::string v;
    if (!optionValue(args, i, true, v, why)) return OptionRead::Error;
    long n = 0;
    // The ports Comm Settings offers: COM 1 to COM 9.
    if (!wholeNumber(v, 1, 9, n)) {
        why = "--port needs a port number from 1 to 9";
        return OptionRead::Error;
    }
    o.port = static_cast<int>(n);
    o.hasPort = true;
    return OptionRead::Taken;
}

// Reads args[i] if it is one of the options the desktop program does not take.
OptionRead readCliOption(const std::vector<std::string>& args, std::size_t& i, Options& o,
                         Words& words, std::string& why) {
    const std::string& a = args[i];
    std::string v;
    if (a == "--json")
        o.json = true;
    else if (a == "--no-copy-before-write")
        o.noCopyBeforeWrite = true;
    else if (a == "--allow-other-radio")
        o.allowOtherRadio = true;
    else if (a == "--yes")
        words.yes = true;
    else if (a == "--no")
        words.no = true;
    else if (a == "--radio-type") {
        if (!optionValue(args, i, true, o.radioType, why)) return OptionRead::Error;
    } else if (a == "--sim-fault") {
        if (!optionValue(args, i, true, v, why)) return OptionRead::Error;
        o.faults.push_back(v);
    } else if (a == "--port") {
        return readPort(args, i, o, why);
    } else {
        return OptionRead::Other;
    }
    return OptionRead::Taken;
}

// The answers, the family and its steps, once every option is read.
Parsed finishRun(const Words& words, Options& o, std::string& why) {
    if (words.yes && words.no) {
        why = "--yes and --no cannot be given together";
        return Parsed::UsageError;
    }
    if (words.yes) o.answers = CliUi::Answers::Yes;
    if (words.no) o.answers = CliUi::Answers::No;
    if (words.positional.empty()) {
        why = "no FAMILY given";
        return Parsed::UsageError;
    }
    o.family = words.positional.front();
    if (tabOfFamily(o.family) < 0) {
        why = "unknown family " + o.family;
        return Parsed::UsageError;
    }
    o.steps.assign(words.positional.begin() + 1, words.positional.end());
    if (o.steps.empty()) {
        why = "no STEP given";
        return Parsed::UsageError;
    }
    return Parsed::Run;
}

}  // namespace

bool isCommandStep(const std::string& name) {
    for (const char* s : kCommandSteps)
        if (name == s) return true;
    return false;
}

bool isFileStep(const std::string& name) {
    return name == "load-tracking" || name == "save-tracking" || name == "load-features" ||
           name == "save-features";
}

Parsed parseOptions(const std::vector<std::string>& args, Options& o, std::string& why) {
    const OptionSyntax syntax{.emptyValues = true, .simOptionFamily = false};
    Words words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // Options may also follow the family and the steps ("kvr get-status --yes").
        if (a.rfind("--", 0) != 0) {
            words.positional.push_back(a);
            continue;
        }
        if (a == "--help") return Parsed::Help;
        OptionRead read = readStartOption(args, i, syntax, o, why);
        if (read == OptionRead::Other) read = readCliOption(args, i, o, words, why);
        if (read == OptionRead::Error) return Parsed::UsageError;
        if (read == OptionRead::Other) {
            why = "unknown option " + a;
            return Parsed::UsageError;
        }
    }
    return finishRun(words, o, why);
}

bool groupSteps(const std::vector<std::string>& words, FamilyPage& page,
                const std::vector<PageAction>& actions, bool service, std::vector<Step>& out,
                std::string& why) {
    const PageAction* previous = nullptr;
    for (std::size_t i = 0; i < words.size(); ++i) {
        Step s{words[i], {}};
        int argc = -1;
        if (isFileStep(s.name) || s.name == "set" || s.name == "compare" ||
            s.name == "history-changes")
            argc = 1;
        else if (s.name == "compare-files")
            argc = 2;
        else if (s.name == "report" || s.name == "history" || isCommandStep(s.name))
            argc = 0;
        const PageAction* action = nullptr;
        for (const auto& a : actions)
            if (a.step == s.name) action = &a;
        if (action && action->serviceOnly && !service) {
            why = s.name + " is service work: start with --service";
            return false;
        }
        const bool assignments = action && action->argCount == PageAction::kAllAssignments;
        if (action) argc = assignments ? 0 : action->argCount;
        if (argc < 0) {
            why = "unknown step " + s.name;
            // A value given without its control id, as in "country Europe".
            if (previous && previous->argCount == PageAction::kAllAssignments)
                why += " (" + previous->step + " takes ID=VALUE words" +
                       (previous->example.empty() ? "" : ", e.g. " + previous->example) + ")";
            return false;
        }
        for (int k = 0; k < argc; ++k) {
            if (i + 1 >= words.size()) {
                why = s.name + " needs " + std::to_string(argc) + " argument(s)";
                return false;
            }
            s.args.push_back(words[++i]);
        }
        // Step names hold no "=", so the words that do belong to this step.
        while (assignments && i + 1 < words.size() && words[i + 1].find('=') != std::string::npos)
            s.args.push_back(words[++i]);
        if (s.name == "set") {
            const auto eq = s.args[0].find('=');
            long id = 0;
            if (eq == std::string::npos || !wholeNumber(s.args[0].substr(0, eq), 0, 99999, id)) {
                why = "set needs ID=TEXT with a control id";
                return false;
            }
            if (!page.controls().has(static_cast<int>(id))) {
                why = "the page has no control " + s.args[0].substr(0, eq);
                return false;
            }
        }
        previous = action;
        out.push_back(std::move(s));
    }
    return true;
}

}  // namespace tw::cli
