#include "run/start_options.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

const OptionSyntax kCommandLine{.emptyValues = true, .simOptionFamily = false};
const OptionSyntax kDesktop{.emptyValues = false, .simOptionFamily = true};

// Reads every argument as the programs do; what each read returned.
std::vector<OptionRead> readAll(const std::vector<std::string>& args, const OptionSyntax& syntax,
                                StartOptions& o, std::string& why) {
    std::vector<OptionRead> reads;
    for (std::size_t i = 0; i < args.size(); ++i)
        reads.push_back(readStartOption(args, i, syntax, o, why));
    return reads;
}

TEST(StartOptions, EveryRowReadsItsOptionAndItsValueOnly) {
    StartOptions o;
    std::string why;
    const auto reads = readAll({"--simulate", "--service", "--no-history", "--device", "--json",
                                "--ini", "", "--trace", "t.txt", "--sim-option", "a=b=c", "--json"},
                               kCommandLine, o, why);
    using R = OptionRead;
    EXPECT_EQ(reads, (std::vector<R>{R::Taken, R::Taken, R::Taken, R::Taken, R::Taken, R::Taken,
                                     R::Taken, R::Other}));
    EXPECT_TRUE(o.simulate && o.service && o.noHistory);
    EXPECT_EQ(o.device, "--json");
    EXPECT_EQ(o.ini, "");
    EXPECT_EQ(o.trace, "t.txt");
    EXPECT_EQ(o.simOptions, (decltype(o.simOptions){{"", {{"a", "b=c"}}}}));

    StartOptions named;
    readAll({"--sim-option", "hln:type=A"}, kDesktop, named, why);
    EXPECT_EQ(named.simOptions, (decltype(named.simOptions){{"hln", {{"type", "A"}}}}));
}

TEST(StartOptions, BadValuesSayWhatIsWrong) {
    const struct {
        OptionSyntax syntax;
        std::vector<std::string> args;
        std::string why;
    } refused[] = {
        {kCommandLine, {"--trace"}, "--trace needs a value"},
        {kDesktop, {"--device", ""}, "--device needs a value"},
        {kCommandLine, {"--sim-option", "=1"}, "--sim-option needs KEY=VALUE"},
        {kCommandLine, {"--sim-option", "key"}, "--sim-option needs KEY=VALUE"},
        {kDesktop, {"--sim-option", "version=2"}, "--sim-option needs FAMILY:KEY=VALUE"},
        // The form is checked before the family.
        {kDesktop, {"--sim-option", "gve:=2"}, "--sim-option needs FAMILY:KEY=VALUE"},
        {kDesktop, {"--sim-option", "gve:type=A"}, "--sim-option: no family gve"},
    };
    for (const auto& r : refused) {
        StartOptions o;
        std::string why;
        std::size_t i = 0;
        EXPECT_EQ(readStartOption(r.args, i, r.syntax, o, why), OptionRead::Error) << r.why;
        EXPECT_EQ(why, r.why);
    }
}

}  // namespace
}  // namespace tw
