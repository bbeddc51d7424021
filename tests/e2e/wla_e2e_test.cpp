// WLA page through tunewright-cli against a simulated WLA radio on a pseudo-terminal:
// tracking read, write and files; program code read back, flashed (once interrupted) and read
// back again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/radio_test.h"

namespace tw::e2e {
namespace {

constexpr int kMaxPower = 2011;
constexpr int kRfType = 1012;
const std::string kFlashPrompt = "Power cycle radio to place in flashing mode.";

using WlaE2eTest = RadioTest;

TEST_F(WlaE2eTest, TrackingReadWriteAndFiles) {
    startRadio("wla", {"config=8"});
    const CliRun read = run({"wla", "read-tracking", "report"});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_EQ(read.texts(),
              std::vector<std::string>{"Power cycle radio to place in progamming mode."});
    EXPECT_EQ(read.fieldsAt({kRfType, kMaxPower}), (std::vector<std::string>{"UHF-HIGH", "20W"}));
    EXPECT_EQ(read.report.at(2), "Maximum Output Power = 20 Watts");

    const std::string saved = dir_.file("radio.tk4");
    const CliRun write = run({"wla", "read-tracking", "set", "1010=99", "set", "1100=-9",
                              "write-tracking", "save-tracking", saved});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    const std::string bytes = readFileBytes(saved);
    ASSERT_EQ(bytes.size(), 21u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 99);
    EXPECT_EQ(static_cast<unsigned char>(bytes[20]), 0xF7);

    const CliRun again = run({"wla", "read-tracking"});
    EXPECT_EQ(again.fieldsAt({1010, 1100}), (std::vector<std::string>{"99", "-9"}));
    const CliRun load = run({"wla", "load-tracking", saved});
    EXPECT_EQ(load.exitCode, 0) << load.dump();
    EXPECT_EQ(load.field(1100), "-9");
}

TEST_F(WlaE2eTest, CodeReadFlashInterruptedThenReflashed) {
    startRadio("wla", {"mode=flash", "erase-ms=300", "ng=100"});
    const std::string first = dir_.file("first.mot");
    const CliRun read = run({"wla", "read-code", first});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_EQ(read.texts(),
              (std::vector<std::string>{kFlashPrompt, "Radio Code written to file successfully"}));
    const std::string code = readFileBytes(first);
    ASSERT_EQ(code.size(), 3960u * 43u);

    const CliRun check = run({"wla", "check-code", first});
    EXPECT_EQ(check.exitCode, 0) << check.dump();
    EXPECT_NE(check.err.find("3960 S1 records"), std::string::npos) << check.err;

    const CliRun broken = run({"wla", "flash", first});
    EXPECT_EQ(broken.exitCode, 1) << broken.dump();
    EXPECT_EQ(broken.texts(), (std::vector<std::string>{
                                  kFlashPrompt, "CRC failure on flash command. Please retry"}));

    const CliRun flash = run({"wla", "flash", first});
    ASSERT_EQ(flash.exitCode, 0) << flash.dump();
    EXPECT_EQ(flash.texts(), std::vector<std::string>{kFlashPrompt});
    EXPECT_NE(flash.err.find("Flash completed"), std::string::npos) << flash.err;

    const std::string second = dir_.file("second.mot");
    ASSERT_EQ(run({"wla", "read-code", second}).exitCode, 0);
    EXPECT_EQ(readFileBytes(second), code);
}

}  // namespace
}  // namespace tw::e2e
