// MARTEN 30 page through tunewright-cli against a simulated MARTEN 30 radio on a
// pseudo-terminal: identity, double read, edit dialogs, verified write and .tk7 files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

const std::string kCouldNotInitialize =
    "Could not initialize radio. Check connection and confirm no other application is using comm "
    "port. ";

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

TEST_F(Marten30E2eTest, IdentityFaultsStopTheReadWithTheirMessages) {
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> messages;
        int exitCode;
    };
    const std::vector<Case> cases = {
        {{"code=FF"}, {"Radio Flash Code not present", kCouldNotInitialize}, 1},
        {{"mode=normal"}, {"Error: Radio not in Programming Mode", kCouldNotInitialize}, 1},
        {{"band=2"}, {"Invalid band split data", kCouldNotInitialize}, 1},
        // A radio without country information is still read.
        {{"country=0"}, {"Invalid Country Information"}, 0},
    };
    for (const auto& c : cases) {
        startRadio(c.options);
        const CliRun r = run({"marten30", "read-tracking"});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.options[0] << "\n" << r.dump();
        EXPECT_EQ(r.texts(), c.messages) << c.options[0];
    }
    sim_.stop();
    const CliRun silent =
        parseCliRun(runCli(dir_.file("ttyNONE"), ini(), {"marten30", "read-tracking"}));
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_EQ(silent.texts(),
              (std::vector<std::string>{"Comm Port not opened.", kCouldNotInitialize}));
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

TEST_F(Marten30E2eTest, BlocksThatReadTwiceDifferentlyAbortTheRead) {
    startRadio({"flaky=5"});
    const CliRun r = run({"marten30", "read-tracking", "report"});
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.texts(),
              (std::vector<std::string>{"Invalid Read--Read Aborted. \nTurn off radio."}));
    // The identity is still shown; the image stayed empty.
    EXPECT_EQ(r.field(kRadioType), "Marten 30 Portable");
    EXPECT_EQ(r.field(kSerial), "");
    EXPECT_TRUE(r.report.empty());
}

TEST_F(Marten30E2eTest, WriteThatDoesNotReadBackIsReported) {
    startRadio({"stuck=1"});  // bytes 16 to 31, the squelch block, keep their values
    const CliRun r = run({"marten30", "read-tracking", "squelch", "1005=99", "write-tracking"});
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_EQ(r.texts(), (std::vector<std::string>{"Write not Verified."}));
    const CliRun after = run({"marten30", "read-tracking", "report"});
    EXPECT_TRUE(hasLine(after, kWideSquelch)) << after.dump();
}

TEST_F(Marten30E2eTest, Tk7FileRoundTrip) {
    startRadio();
    const std::string saved = dir_.file("radio.tk7");
    const CliRun save = run({"marten30", "read-tracking", "report", "save-tracking", saved});
    ASSERT_EQ(save.exitCode, 0) << save.dump();
    const std::string bytes = readFileBytes(saved);
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xA3);  // portable, USA, 450 - 488

    // A fresh run shows from the file what the radio showed.
    const CliRun load = run({"marten30", "load-tracking", saved, "report"});
    ASSERT_EQ(load.exitCode, 0) << load.dump();
    EXPECT_TRUE(load.messages.empty());
    EXPECT_EQ(load.report, save.report);
    EXPECT_EQ(load.field(kSerial), "1234567");
    EXPECT_EQ(load.field(kBandSplit), "450 - 488");

    // The loaded image goes to the radio unchanged and saves to the same bytes.
    std::string edited = bytes;
    edited[17] = 61;
    const std::string changed = dir_.write("changed.tk7", edited);
    const CliRun write = run({"marten30", "load-tracking", changed, "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    const std::string back = dir_.file("back.tk7");
    ASSERT_EQ(run({"marten30", "read-tracking", "save-tracking", back}).exitCode, 0);
    std::string expected = edited;
    // Byte 127 is the checksum of bytes 0 to 126, made again for the write.
    expected[127] = static_cast<char>(static_cast<unsigned char>(expected[127]) - (61 - 48));
    EXPECT_EQ(readFileBytes(back), expected);

    const std::string shortFile = dir_.write("short.tk7", bytes.substr(0, 511));
    const CliRun wrong = run({"marten30", "load-tracking", saved, "load-tracking", shortFile});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.texts(), (std::vector<std::string>{"Wrong size of the file."}));
}

}  // namespace
}  // namespace tw::e2e
