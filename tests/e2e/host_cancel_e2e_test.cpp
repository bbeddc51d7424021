// Ctrl-C and SIGTERM while tunewright-host has the plug-in move a personality to or from a
// simulated radio paced like a real one: the transfer stops at its next command boundary,
// the run ends after that step with 128 + the signal and a last line saying what the radio
// may hold, and every line printed before reaches the output.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e/cli_run.h"
#include "e2e/sim_process.h"

namespace tw::e2e {
namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The host on the simulator's device. The signal follows the radio's log of what it received
// from the program: a line starting with a command's bytes (the radio may take the bytes
// after it in the same line), so it comes in the middle of that command's work.
ProcessResult interruptedHost(const SimProcess& sim, const TempDir& dir,
                              const std::vector<std::string>& args, const Interrupt& interrupt) {
    std::vector<std::string> argv = {
        hostProgram(),          "--device",   sim.devicePath(), "--ini",
        dir.file("novac4.ini"), "--dump-dir", dir.file("dumps")};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, 120, interrupt);
}

// The radio's first image read ("GA") is under way when Ctrl-C comes: the read stops there
// (the verify read never starts), the steps before it have printed their lines, the steps
// after it do not run.
TEST(HostCancelE2e, CtrlCDuringARadioReadStopsTheReadAndTheRun) {
    TempDir dir;
    dir.write("novac4.ini", "");
    const std::string log = dir.file("radio.log");
    SimProcess sim;
    ASSERT_TRUE(sim.start("hln", {"--option", "type=A", "--log", log})) << sim.error();
    const std::string saved = dir.file("radio.json");
    const ProcessResult r =
        interruptedHost(sim, dir, {"tabs", "new", "A", "2", "read-radio", "save", saved},
                        Interrupt{SIGINT, 0, 0, log, " RX 47 41"});
    sim.stop();
    EXPECT_EQ(r.exitCode, 130) << r.out << r.err;
    EXPECT_EQ(r.out.rfind("tabs: 260 264 265\nnew A band 2\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("[message] The operation was cancelled.\n  -> ok\n"), std::string::npos)
        << r.out;
    EXPECT_TRUE(endsWith(r.out, "read-radio: cancelled\n")) << r.out;
    EXPECT_TRUE(
        endsWith(r.err,
                 "tunewright-host: SIGINT: step read-radio cancelled; nothing in the radio was "
                 "changed.\n"))
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(saved));
    EXPECT_EQ(occurrences(readFileBytes(log), " RX 47 41"), 1u);
}

// SIGTERM twice while the image goes out after "GB": the image is one command with its data,
// so it goes out whole; the second signal does not kill the program. With --json the object
// still comes, the notice its last message.
TEST(HostCancelE2e, SigtermTwiceDuringARadioWriteStillFinishes) {
    TempDir dir;
    dir.write("novac4.ini", "");
    const std::string log = dir.file("radio.log");
    SimProcess sim;
    ASSERT_TRUE(sim.start("hln", {"--option", "type=A", "--log", log})) << sim.error();
    const CliRun r =
        parseCliRun(interruptedHost(sim, dir, {"--yes", "--json", "new", "A", "2", "write-radio"},
                                    Interrupt{SIGTERM, 0, 5, log, " RX 47 42"}));
    sim.stop();
    EXPECT_EQ(r.exitCode, 143) << r.dump();
    ASSERT_TRUE(r.parsed) << r.dump();
    EXPECT_FALSE(r.ok);
    ASSERT_FALSE(r.texts().empty()) << r.dump();
    EXPECT_EQ(r.texts().back(),
              "The operation was cancelled.\nThe radio may hold part of the new data.");
    EXPECT_NE(r.out.find("\"new A band 2\", \"write-radio: cancelled\"]"), std::string::npos)
        << r.out;
    // The second signal may come before or after the program is done: either way it must
    // not kill the run, which the exit status and the last line show.
    EXPECT_TRUE(endsWith(r.err,
                         "tunewright-host: SIGTERM: step write-radio cancelled; The radio may "
                         "hold part of the new data.\n"))
        << r.err;
}

}  // namespace
}  // namespace tw::e2e
