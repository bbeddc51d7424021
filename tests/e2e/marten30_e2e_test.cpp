// MARTEN 30 page through tunewright-cli against a simulated MARTEN 30 radio on a
// pseudo-terminal: identity, double read, edit dialogs, verified write and .tk7 files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/radio_test.h"

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

using Marten30E2eTest = RadioTest;

bool hasLine(const CliRun& r, const std::string& line) {
    for (const auto& l : r.report)
        if (l == line) return true;
    return false;
}

TEST_F(Marten30E2eTest, StatusAndReadShowTheIdentity) {
    const std::vector<int> identity = {kRadioType, kBandSplit, kCountry, kSerial, kRadioCode};
    startRadio("marten30");
    for (const char* step : {"get-status", "read-tracking", "radio-status"}) {
        const CliRun r = run({"marten30", step});
        ASSERT_EQ(r.exitCode, 0) << step << "\n" << r.dump();
        EXPECT_TRUE(r.messages.empty()) << step;  // a complete read says nothing
        EXPECT_EQ(r.fieldsAt(identity), (std::vector<std::string>{"Marten 30 Portable", "450 - 488",
                                                                  "USA", "1234567", "41"}))
            << step;
    }

    startRadio("marten30", {"kind=mobile", "code=7E", "country=3", "band=0"});
    const CliRun mobile = run({"marten30", "read-tracking"});
    ASSERT_EQ(mobile.exitCode, 0) << mobile.dump();
    EXPECT_EQ(mobile.fieldsAt(identity), (std::vector<std::string>{"Marten 30 Mobile", "136 - 155",
                                                                   "Europe", "1234567", "7E"}));
}

TEST_F(Marten30E2eTest, DialogEditsAreWrittenAndReadBackInTheNextRun) {
    startRadio("marten30");
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

    // The saved image holds what the radio returned; its checksums are the write's own work
    // and checked with it.
    EXPECT_EQ(readFileBytes(image).size(), 512u);
}

}  // namespace
}  // namespace tw::e2e
