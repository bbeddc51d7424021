#include "run/start_options.h"

#include "view/main_view.h"

namespace tw {
namespace {

struct FlagRow {
    const char* name;
    bool StartOptions::*field;
};

const FlagRow kFlags[] = {
    {"--simulate", &StartOptions::simulate},
    {"--service", &StartOptions::service},
    {"--no-history", &StartOptions::noHistory},
};

struct ValueRow {
    const char* name;
    std::string StartOptions::*field;
};

const ValueRow kValues[] = {
    {"--device", &StartOptions::device},
    {"--ini", &StartOptions::ini},
    {"--trace", &StartOptions::trace},
};

// FAMILY:KEY=VALUE or KEY=VALUE, as `syntax` has it; the form is checked before the family.
bool readSimOption(const std::string& v, const OptionSyntax& syntax, StartOptions& out,
                   std::string& why) {
    const std::string form = syntax.simOptionFamily ? "FAMILY:KEY=VALUE" : "KEY=VALUE";
    std::string family;
    std::size_t start = 0;
    if (syntax.simOptionFamily) {
        const auto colon = v.find(':');
        if (colon == std::string::npos || colon == 0) {
            why = "--sim-option needs " + form;
            return false;
        }
        family = v.substr(0, colon);
        start = colon + 1;
    }
    const auto eq = v.find('=', start);
    if (eq == std::string::npos || eq == start) {
        why = "--sim-option needs " + form;
        return false;
    }
    if (syntax.simOptionFamily && tabOfFamily(family) < 0) {
        why = "--sim-option: no family " + family;
        return false;
    }
    out.simOptions[family][v.substr(start, eq - start)] = v.substr(eq + 1);
    return true;
}

}  // namespace

bool optionValue(const std::vector<std::string>& args, std::size_t& i, bool emptyAllowed,
                 std::string& out, std::string& why) {
    if (i + 1 >= args.size() || (!emptyAllowed && args[i + 1].empty())) {
        why = args[i] + " needs a value";
        return false;
    }
    out = args[++i];
    return true;
}

OptionRead readStartOption(const std::vector<std::string>& args, std::size_t& i,
                           const OptionSyntax& syntax, StartOptions& out, std::string& why) {
    const std::string& a = args[i];
    for (const auto& row : kFlags) {
        if (a != row.name) continue;
        out.*row.field = true;
        return OptionRead::Taken;
    }
    for (const auto& row : kValues) {
        if (a != row.name) continue;
        return optionValue(args, i, syntax.emptyValues, out.*row.field, why) ? OptionRead::Taken
                                                                             : OptionRead::Error;
    }
    if (a != "--sim-option") return OptionRead::Other;
    std::string v;
    if (!optionValue(args, i, syntax.emptyValues, v, why) || !readSimOption(v, syntax, out, why))
        return OptionRead::Error;
    return OptionRead::Taken;
}

}  // namespace tw
