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
    std::vector<std::string> positional;
    std::size_t i = 0;
    auto value = [&](const std::string& name, std::string& out) {
        if (i + 1 >= args.size()) {
            why = name + " needs a value";
            return false;
        }
        out = args[++i];
        return true;
    };
    bool yes = false, no = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        // Options may also follow the family and the steps ("kvr get-status --yes").
        if (a.rfind("--", 0) != 0) {
            positional.push_back(a);
            continue;
        }
        std::string v;
        if (a == "--help") return Parsed::Help;
        if (a == "--simulate")
            o.simulate = true;
        else if (a == "--json")
            o.json = true;
        else if (a == "--no-history")
            o.noHistory = true;
        else if (a == "--no-copy-before-write")
            o.noCopyBeforeWrite = true;
        else if (a == "--allow-other-radio")
            o.allowOtherRadio = true;
        else if (a == "--service")
            o.service = true;
        else if (a == "--yes")
            yes = true;
        else if (a == "--no")
            no = true;
        else if (a == "--device") {
            if (!value(a, o.device)) return Parsed::UsageError;
        } else if (a == "--ini") {
            if (!value(a, o.ini)) return Parsed::UsageError;
        } else if (a == "--trace") {
            if (!value(a, o.trace)) return Parsed::UsageError;
        } else if (a == "--radio-type") {
            if (!value(a, o.radioType)) return Parsed::UsageError;
        } else if (a == "--sim-fault") {
            if (!value(a, v)) return Parsed::UsageError;
            o.faults.push_back(v);
        } else if (a == "--sim-option") {
            if (!value(a, v)) return Parsed::UsageError;
            auto eq = v.find('=');
            if (eq == std::string::npos || eq == 0) {
                why = "--sim-option needs KEY=VALUE";
                return Parsed::UsageError;
            }
            o.simOptions[v.substr(0, eq)] = v.substr(eq + 1);
        } else if (a == "--port") {
            if (!value(a, v)) return Parsed::UsageError;
            long n = 0;
            // The ports Comm Settings offers: COM 1 to COM 9.
            if (!wholeNumber(v, 1, 9, n)) {
                why = "--port needs a port number from 1 to 9";
                return Parsed::UsageError;
            }
            o.port = static_cast<int>(n);
            o.hasPort = true;
        } else {
            why = "unknown option " + a;
            return Parsed::UsageError;
        }
    }
    if (yes && no) {
        why = "--yes and --no cannot be given together";
        return Parsed::UsageError;
    }
    if (yes) o.answers = CliUi::Answers::Yes;
    if (no) o.answers = CliUi::Answers::No;
    if (positional.empty()) {
        why = "no FAMILY given";
        return Parsed::UsageError;
    }
    o.family = positional.front();
    if (tabOfFamily(o.family) < 0) {
        why = "unknown family " + o.family;
        return Parsed::UsageError;
    }
    o.steps.assign(positional.begin() + 1, positional.end());
    if (o.steps.empty()) {
        why = "no STEP given";
        return Parsed::UsageError;
    }
    return Parsed::Run;
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
