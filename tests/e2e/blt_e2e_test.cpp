// BLT page through tunewright-cli with the simulated radio behind the connection object: one
// run holds the radio, so a write can be read back within it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

CliRun bltRun(const TempDir& dir, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {cliProgram(), "--ini",      dir.write("novac4.ini", ""),
                                     "--json",     "--simulate", "--yes"};
    argv.insert(argv.end(), args.begin(), args.end());
    return parseCliRun(runProcess(argv));
}

TEST(BltE2e, EditWriteReadBackAndEveryButton) {
    TempDir dir;
    const std::string trk = dir.file("radio.Trk"), code = dir.file("radio.BIN"),
                      dsp = dir.file("radio.adi"), board = dir.write("board.BIN", "BOARD");
    // Field 5018 is the first squelch word of a version-1 radio; feature byte 12 is ours.
    const CliRun r =
        bltRun(dir, words("--sim-option version=1 blt radio-info save-tracking " + trk +
                          " tracking-edit 5018=321 write-tracking feature-edit 12=A5 write-features"
                          " load-tracking " +
                          trk + " read-tracking version-upgrade write-code " + code +
                          " write-adi-dsp " + dsp + " jump recovery desktop " + board + " report"));
    ASSERT_TRUE(r.parsed) << r.dump();
    EXPECT_TRUE(r.ok) << r.dump();
    EXPECT_EQ(r.exitCode, 0);
    const std::vector<std::string> expected = {
        "Write Tracking Data Complete.",
        "Write Feature Data Complete.",
        "Read Tracking Data Complete.",
        "You are about to upgrade the BLT/Lyra tracking data to version 7 for switchable "
        "radios. You should have a backup of your current tracking data and your feature data "
        "before attempting to upgrade. Continue?",
        "Complete. You will need to write the tracking data, and feature data, and then "
        "reprogram the personality using Perscribe, in that order. If you have a Dualset "
        "capable radio, be sure you do not power cycle before you program the personality.",
        "Read Radio Code Complete.",
        "Read ADI/DSP Code Complete.",
        "Power cycle radio to programming mode and connect to correct programming box and "
        "serial port.",
        "The option allows the reflashing of the Desktop Frequency Select board. Do you want to "
        "continue?",
        "You should have the frequency select board connected to the programming box and have "
        "powered up the desktop station. Press the PTT button on the programming interface box "
        "to place the board in programming mode. Press OK and select the flash file. You should "
        "then see the code downloading to the board.",
    };
    EXPECT_EQ(r.texts(), expected);
    EXPECT_EQ(r.field(2009), "Lyra");
    EXPECT_EQ(r.field(2010), "512 K");
    // Recovery read the radio again: it holds the version-1 data written before the upgrade,
    // squelch 321 among it, and feature byte 12 (third from offset 10) A5.
    EXPECT_TRUE(r.isEnabled(2016));
    bool squelch = false;
    for (const auto& line : r.report)
        squelch = squelch || line.find("SQUELCH       321") != std::string::npos;
    EXPECT_TRUE(squelch) << r.dump();
    ASSERT_GE(r.report.size(), 3u);
    EXPECT_EQ(r.report[2].substr(0, 20), "FEATURE DATA: 5B64A5");
    EXPECT_EQ(readFileBytes(code).size(), 64u);
    EXPECT_EQ(readFileBytes(trk).substr(0, 4), "BTRK");
}

TEST(BltE2e, RadioThatDoesNotOpen) {
    TempDir dir;
    const CliRun r = bltRun(dir, {"--sim-option", "open=-1", "blt", "get-status"});
    ASSERT_TRUE(r.parsed) << r.dump();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.texts(),
              (std::vector<std::string>{
                  "Serial port in use by another application or failed to open",
                  "Radio not in program mode and/or not initialized. Reconnect Radio."}));
}

}  // namespace
}  // namespace tw::e2e
