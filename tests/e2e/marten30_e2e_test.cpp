// MARTEN 30 page through tunewright-cli against a simulated MARTEN 30 radio on a
// pseudo-terminal: identity, double read, edit dialogs, verified write and .tk7 files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

// Control ids of the page's display fields.
constexpr int kRadioType = 2012;
constexpr int kBandSplit = 2070;
constexpr int kCountry = 2071;
constexpr int kSerial = 2075;
constexpr int kRadioCode = 2078;

// Report line of the wide-band squelch row (bytes 16, 17, 20, 21 of the image).
const std::string kWideSquelch = "          Wide Band         40       48            60       68";

class Marten30E2eTest : public ::testing::Test {
  protected:
    std::string ini() const { return dir_.write("novac4.ini", ""); }
    CliRun run(const std::vector<std::string>& args) { return cli(sim_, ini(), args); }
    // Starts the radio with model options ("kind=mobile", ...).
    void startRadio(const std::vector<std::string>& options = {}) {
        std::vector<std::string> args = {"--no-pace"};
        for (const auto& o : options) {
            args.push_back("--option");
            args.push_back(o);
        }
        ASSERT_TRUE(sim_.start("marten30", args)) << sim_.error();
    }

    TempDir dir_;
    SimProcess sim_;
};

bool hasLine(const CliRun& r, const std::string& line) {
    for (const auto& l : r.report)
        if (l == line) return true;
    return false;
}

TEST_F(Marten30E2eTest, StatusAndReadShowTheIdentity) {
    startRadio();
    for (const char* step : {"get-status", "read-tracking", "radio-status"}) {
        const CliRun r = run({"marten30", step});
        ASSERT_EQ(r.exitCode, 0) << step << "\n" << r.dump();
        EXPECT_TRUE(r.messages.empty()) << step;  // a complete read says nothing
        EXPECT_EQ(r.field(kRadioType), "Marten 30 Portable") << step;
        EXPECT_EQ(r.field(kBandSplit), "450 - 488") << step;
        EXPECT_EQ(r.field(kCountry), "USA") << step;
        EXPECT_EQ(r.field(kSerial), "1234567") << step;
        EXPECT_EQ(r.field(kRadioCode), "41") << step;
    }

    startRadio({"kind=mobile", "code=7E", "country=3", "band=0"});
    const CliRun mobile = run({"marten30", "read-tracking", "report"});
    ASSERT_EQ(mobile.exitCode, 0) << mobile.dump();
    EXPECT_EQ(mobile.field(kRadioType), "Marten 30 Mobile");
    EXPECT_EQ(mobile.field(kBandSplit), "136 - 155");
    EXPECT_EQ(mobile.field(kCountry), "Europe");
    EXPECT_EQ(mobile.field(kRadioCode), "7E");
    ASSERT_GE(mobile.report.size(), 3u);
    EXPECT_EQ(mobile.report[0], "Radio Type    Marten 30 Mobile");
    EXPECT_EQ(mobile.report[2], "Country       Europe        Serial No.      1234567");
}

TEST_F(Marten30E2eTest, DialogEditsAreWrittenAndReadBackInTheNextRun) {
    startRadio();
    const CliRun before = run({"marten30", "read-tracking", "report"});
    ASSERT_TRUE(hasLine(before, kWideSquelch)) << before.dump();

    const CliRun write =
        run({"marten30", "read-tracking", "squelch", "1005=55", "1008=201", "power", "1039=77",
             "country", "country=3", "cloning", "2075=1", "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_TRUE(write.messages.empty());

    const std::string image = dir_.file("after.tk7");
    const CliRun after = run({"marten30", "read-tracking", "report", "save-tracking", image});
    ASSERT_EQ(after.exitCode, 0) << after.dump();
    EXPECT_TRUE(hasLine(after, "          Wide Band         55       48            60      201"))
        << after.dump();
    EXPECT_TRUE(hasLine(after, "\t\t  Ref Osc Control   77")) << after.dump();
    ASSERT_GE(after.report.size(), 5u);
    EXPECT_EQ(after.report[2], "Country       Europe        Serial No.      1234567");
    EXPECT_EQ(after.field(kCountry), "Europe");  // the radio identifies with its new country
    EXPECT_EQ(after.report[4], "Cloning Data:\t\t  Master Radio");
    // European radios label all five power rows.
    EXPECT_EQ(after.report.back(),
              "\t\t        6    150    151    152    153    154    155    156");

    // The write recomputed both checksums of the changed image.
    const std::string bytes = readFileBytes(image);
    ASSERT_EQ(bytes.size(), 512u);
    unsigned first = 0, second = 0;
    for (std::size_t i = 0; i < 128; ++i) first += static_cast<unsigned char>(bytes[i]);
    for (std::size_t i = 128; i < 192; ++i) second += static_cast<unsigned char>(bytes[i]);
    EXPECT_EQ(first % 256, 0u);
    EXPECT_EQ(second % 256, 0u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xE3);  // portable, Europe, 450 - 488
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0x03);  // supervisor and subordinate
    EXPECT_EQ(static_cast<unsigned char>(bytes[16]), 55);
    EXPECT_EQ(static_cast<unsigned char>(bytes[21]), 201);
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]), 77);
}

}  // namespace
}  // namespace tw::e2e
