// tunewright-cli on the real serial path: a simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "e2e/cli_run.h"
#include "e2e/sim_process.h"

namespace tw::e2e {
namespace {

class CliTest : public ::testing::Test {
  protected:
    std::string ini() const { return dir_.write("novac4.ini", ""); }
    ProcessResult run(const std::vector<std::string>& args) {
        return runCli(sim_.running() ? sim_.devicePath() : dir_.file("ttyNONE"), ini(), args);
    }

    TempDir dir_;
    SimProcess sim_;
};

// Words that can never make a run are refused before anything opens: exit 2, the reason on
// the error output and no JSON.
TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"nosuchfamily", "get-status"}, ""},
        {{"kvr", "no-such-step"}, ""},
        {{"kvr"}, ""},
        {{"kvr", "load-tracking"}, "load-tracking needs 1 argument"},
        {{"--yes", "--no", "kvr", "get-status"}, "--yes and --no"},
        {{"--port", "0", "kvr", "get-status"}, "port number from 1 to 9"},
        {{"--port", "99", "kvr", "get-status"}, "port number from 1 to 9"},
        {{"kvr", "set", "=5"}, "set needs ID=TEXT"},
        {{"kvr", "set", "9999=5"}, "the page has no control 9999"},
        {{"marten30", "country", "Europe"}, "e.g. country=Europe"},
        {{"blt", "alignment", "io"}, "--service"},
    };
    for (const auto& c : cases) {
        const ProcessResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.back();
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST_F(CliTest, HelpShowsAnExampleForEveryStepThatTakesWords) {
    const ProcessResult r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* example : {"marten30 country country=Europe", "marten30 squelch 1005=",
                                "kvr radio-type-write 3 0", "hln write-image radio.img"})
        EXPECT_NE(r.out.find(std::string("e.g. tunewright-cli ") + example), std::string::npos)
            << example;
}

TEST_F(CliTest, MissingPortFailsTheStepWithExitOne) {
    const CliRun r = parseCliRun(run({"kvr", "read-tracking"}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.parsed && !r.ok) << r.dump();
    EXPECT_EQ(r.texts(), std::vector<std::string>{"Comm port not open."});
}

TEST_F(CliTest, HistoryListsTheCopiesOfSimulatedReads) {
    // The runs keep their copies in this test's folder, so only their own are listed.
    const std::string before = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", dir_.file("data").c_str(), 1);
    const CliRun read = parseCliRun(run({"--simulate", "--yes", "kvr", "read-tracking"}));
    const CliRun off =
        parseCliRun(run({"--simulate", "--yes", "--no-history", "kvr", "read-tracking"}));
    const CliRun listed = parseCliRun(run({"--simulate", "kvr", "history"}));
    ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    ASSERT_EQ(off.exitCode, 0) << off.dump();
    ASSERT_EQ(listed.exitCode, 0) << listed.dump();
    ASSERT_EQ(listed.report.size(), 1u) << listed.dump();
    const std::string& line = listed.report[0];
    const std::string folder = dir_.file("data") + "/tunewright/history/simulated/kvr/KVR/";
    EXPECT_EQ(line.find(folder), 0u) << line;
    EXPECT_NE(line.find(".tk1  KVR  "), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 4), " UTC") << line;
}

// A compare that finds differences ends the run with exit 3 and lists them; the same values
// end it with 0, a file that cannot be compared with 1.
TEST_F(CliTest, CompareExitsWithThreeWhenFieldsDiffer) {
    const std::string a = dir_.write("a.tk1", "80828496A0AA10121450555A40454A9BA5AF0E0F1F");
    const std::string b = dir_.write("b.tk1", "C8828496A0AA10121450555A40454A9BA5AF0E0F1F");
    const std::string cut = dir_.write("cut.tk1", "8082");
    const CliRun differ = parseCliRun(run({"kvr", "compare-files", a, b}));
    EXPECT_EQ(differ.exitCode, 3) << differ.dump();
    EXPECT_EQ(differ.report,
              (std::vector<std::string>{"Squelch, Low: 128 -> 200", "1 field differs"}));
    EXPECT_NE(differ.out.find(R"("differences": [{"field": "Squelch, Low", "left": "128", )"
                              R"("right": "200"}])"),
              std::string::npos)
        << differ.dump();
    const CliRun same = parseCliRun(run({"kvr", "load-tracking", a, "compare", a}));
    EXPECT_EQ(same.exitCode, 0) << same.dump();
    EXPECT_EQ(same.report, std::vector<std::string>{"Same"});
    const CliRun refused = parseCliRun(run({"kvr", "compare", cut}));
    EXPECT_EQ(refused.exitCode, 1) << refused.dump();
    EXPECT_EQ(refused.texts(),
              std::vector<std::string>{cut + " cannot be compared:\nWrong size of the file."});
}

// A write whose copy of what the radio holds cannot be kept asks first: --yes does not answer
// that, --no-copy-before-write does.
TEST_F(CliTest, AWriteWithoutItsCopyNeedsItsOwnOption) {
    const std::string before = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    // A file where the history folder would go: no copy can be kept.
    ::setenv("XDG_DATA_HOME", dir_.write("data", "").c_str(), 1);
    const CliRun asked = parseCliRun(run({"--simulate", "--yes", "wla", "write-tracking"}));
    const CliRun allowed = parseCliRun(
        run({"--simulate", "--yes", "--no-copy-before-write", "wla", "write-tracking"}));
    ::setenv("XDG_DATA_HOME", before.c_str(), 1);
    EXPECT_EQ(asked.exitCode, 1) << asked.dump();
    const auto texts = asked.texts();
    ASSERT_FALSE(texts.empty()) << asked.dump();
    EXPECT_NE(texts.back().find("could not be kept"), std::string::npos) << asked.dump();
    EXPECT_EQ(allowed.exitCode, 0) << allowed.dump();
}

}  // namespace
}  // namespace tw::e2e
