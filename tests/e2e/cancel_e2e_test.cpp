// Ctrl-C and SIGTERM in the middle of radio work, through tunewright-cli against simulated
// radios paced like real ones: the run stops at the next command boundary, says what the
// radio may hold, keeps every line it printed and exits with 128 + the signal.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>
#include <vector>

#include "e2e/radio_test.h"

namespace tw::e2e {
namespace {

using CancelE2eTest = RadioTest;

const std::string kCancelled = "The operation was cancelled.";

// The trace's event lines after the cancel took effect ("-- cancelled"), in order.
std::vector<std::string> traceAfterCancel(const std::string& trace) {
    std::vector<std::string> after;
    bool seen = false;
    std::size_t from = 0;
    while (from < trace.size()) {
        std::size_t end = trace.find('\n', from);
        if (end == std::string::npos) end = trace.size();
        const std::string line = trace.substr(from, end - from);
        from = end + 1;
        const auto mark = line.find(" -- ");
        const auto tx = line.find(" TX ");
        const std::string what = mark != std::string::npos ? line.substr(mark + 4)
                                 : tx != std::string::npos ? "TX " + line.substr(tx + 4)
                                                           : "";
        if (what == "cancelled") seen = true;
        if (seen && !what.empty()) after.push_back(what);
    }
    return after;
}

CliRun interrupted(const SimProcess& sim, const std::string& ini, const std::string& trace,
                   const std::vector<std::string>& args, const Interrupt& interrupt) {
    std::vector<std::string> argv = {cliProgram(), "--device", sim.devicePath(), "--ini",
                                     ini,          "--json",   "--trace",        trace};
    argv.insert(argv.end(), args.begin(), args.end());
    return parseCliRun(runProcess(argv, 120, interrupt));
}

// A flash cut short by Ctrl-C: the block in flight goes out whole, nothing follows it, the
// technician is told to flash again, and a second Ctrl-C does not kill the program.
TEST_F(CancelE2eTest, CtrlCDuringAFlashStopsBetweenBlocks) {
    startRadio("wla", {"mode=flash", "erase-ms=300"});
    const std::string code = dir_.file("code.mot");
    ASSERT_EQ(run({"wla", "read-code", code}).exitCode, 0);

    ASSERT_TRUE(sim_.start(
        "wla", {"--baud", "115200", "--option", "mode=flash", "--option", "erase-ms=300"}))
        << sim_.error();
    const std::string trace = dir_.file("flash.trace");
    const CliRun r = interrupted(sim_, ini(), trace, {"wla", "flash", code},
                                 Interrupt{SIGINT, 500, 5, trace, " TX 46 44"});
    EXPECT_EQ(r.exitCode, 130) << r.dump();
    ASSERT_TRUE(r.parsed) << r.dump();
    EXPECT_FALSE(r.ok);
    ASSERT_FALSE(r.texts().empty());
    EXPECT_EQ(
        r.texts().back(),
        kCancelled + "\nThe radio's program code is half-written: flash it again before use.");
    // The second Ctrl-C may land before or after the run is over: either way it must not
    // kill it, which the exit status and the last line show.
    EXPECT_NE(r.err.find("SIGINT: step flash cancelled; The radio's program code is half-written"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("Flash completed"), std::string::npos) << r.err;
    EXPECT_EQ(traceAfterCancel(readFileBytes(trace)),
              (std::vector<std::string>{"cancelled", "close"}));
}

// An HLN image write is one command with all its data: SIGTERM during it lets the whole image
// reach the radio before the run stops, so the radio holds the new image, not a mix.
TEST_F(CancelE2eTest, SigtermDuringAnImageWriteNeverCutsTheImage) {
    startRadio("hln", {"type=A"});
    const std::string before = dir_.file("before.img");
    ASSERT_EQ(run({"--radio-type", "A", "hln", "read-image", before}).exitCode, 0);
    std::string image = readFileBytes(before);
    ASSERT_EQ(image.size(), 2048u);
    image[0x700] = static_cast<char>(~image[0x700]);
    image[0x7FF] = 0x42;
    const std::string changed = dir_.write("changed.img", image);

    // Unpaced, so the radio has taken every byte written by the time the port is let go.
    ASSERT_TRUE(sim_.start("hln", {"--no-pace", "--option", "type=A"})) << sim_.error();
    const std::string trace = dir_.file("write.trace");
    const CliRun r = interrupted(sim_, ini(), trace,
                                 {"--radio-type", "A", "--yes", "hln", "write-image", changed},
                                 Interrupt{SIGTERM, 0, 0, trace, " TX 47 42  |GB|"});
    EXPECT_EQ(r.exitCode, 143) << r.dump();
    ASSERT_FALSE(r.texts().empty()) << r.dump();
    EXPECT_EQ(r.texts().back(), kCancelled + "\nThe radio may hold part of the new data.");
    EXPECT_NE(r.err.find("SIGTERM: step write-image cancelled"), std::string::npos) << r.err;
    EXPECT_EQ(traceAfterCancel(readFileBytes(trace)),
              (std::vector<std::string>{"cancelled", "close"}));

    const std::string after = dir_.file("after.img");
    const CliRun back = run({"--radio-type", "A", "hln", "read-image", after});
    ASSERT_EQ(back.exitCode, 0) << back.dump();
    EXPECT_EQ(readFileBytes(after), image);
}

}  // namespace
}  // namespace tw::e2e
