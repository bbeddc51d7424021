// tunewright-cli on the real serial path: a simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "e2e/cli_run.h"
#include "e2e/sim_process.h"

namespace tw::e2e {
namespace {

// The JSON form of a message as the command line prints it (only line breaks need escaping
// in the texts used here).
std::string jsonMessage(const std::string& text) {
    std::string escaped;
    for (char c : text) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    return "\"text\": \"" + escaped + "\"";
}

class CliTest : public ::testing::Test {
  protected:
    std::string ini() const { return dir_.write("novac4.ini", ""); }
    ProcessResult run(const std::vector<std::string>& args) {
        return runCli(sim_.running() ? sim_.devicePath() : dir_.file("ttyNONE"), ini(), args);
    }

    TempDir dir_;
    SimProcess sim_;
};

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(run({"nosuchfamily", "get-status"}).exitCode, 2);
    EXPECT_EQ(run({"kvr", "no-such-step"}).exitCode, 2);
    const ProcessResult missing = run({"kvr", "load-tracking"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("load-tracking needs 1 argument"), std::string::npos) << missing.err;
    EXPECT_EQ(run({"kvr"}).exitCode, 2);
    EXPECT_TRUE(missing.out.empty());  // nothing ran, so no JSON either
}

TEST_F(CliTest, MissingPortFailsTheStepWithExitOne) {
    const ProcessResult r = run({"kvr", "read-tracking"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find(jsonMessage("Comm port not open.")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"ok\": false"), std::string::npos) << r.out;
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

}  // namespace
}  // namespace tw::e2e
