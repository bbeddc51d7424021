// The command line's arguments (NUL-separated words): whatever parses is a run the program
// can carry out, and parsing is a pure function of the words.
#include <algorithm>
#include <string>
#include <vector>

#include "cli/options.h"
#include "faults/fault_matrix.h"
#include "sim/models.h"
#include "support/property.h"
#include "view/main_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    cli::Options o, again;
    std::string why, whyAgain;
    const cli::Parsed parsed = cli::parseOptions(args, o, why);
    TW_PROPERTY(cli::parseOptions(args, again, whyAgain) == parsed && why == whyAgain,
                "parsing twice differs");
    if (parsed == cli::Parsed::UsageError) {
        TW_PROPERTY(!why.empty(), "a usage error without a reason");
        return 0;
    }
    if (parsed == cli::Parsed::Help) return 0;
    TW_PROPERTY(tabOfFamily(o.family) >= 0, "an unknown family accepted");
    TW_PROPERTY(!o.steps.empty(), "a run without steps");
    TW_PROPERTY(!o.hasPort || (o.port >= 1 && o.port <= 9), "a port outside 1..9 accepted");
    const bool yes = std::count(args.begin(), args.end(), "--yes") > 0;
    const bool no = std::count(args.begin(), args.end(), "--no") > 0;
    TW_PROPERTY(!(yes && no), "--yes and --no accepted together");

    faults::PageBench bench(sim::createModel("loopback", {}));
    std::vector<cli::Step> steps;
    FamilyPage& page = bench.page(tabOfFamily(o.family));
    if (!cli::groupSteps(o.steps, page, page.actions(), o.service, steps, why)) {
        TW_PROPERTY(!why.empty(), "a step error without a reason");
        return 0;
    }
    std::size_t words = 0;
    for (const auto& s : steps) {
        words += 1 + s.args.size();
        if (s.name == "set") {
            TW_PROPERTY(s.args.size() == 1, "set without its word");
            const auto eq = s.args[0].find('=');
            TW_PROPERTY(eq != std::string::npos && eq > 0, "set without ID=");
            TW_PROPERTY(bench.page(tabOfFamily(o.family))
                            .controls()
                            .has(std::stoi(s.args[0].substr(0, eq))),
                        "set of a control the page lacks");
        }
    }
    TW_PROPERTY(words == o.steps.size(), "step words lost or invented");
    return 0;
}
