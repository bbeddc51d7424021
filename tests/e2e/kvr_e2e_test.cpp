// KVR page through tunewright-cli against a simulated KVR radio on a pseudo-terminal: the Radio
// Type dialog with a band-split file, and tracking data through .tk1 files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "e2e/radio_test.h"

namespace tw::e2e {
namespace {

const std::string kPowerOn = "Power ON KVR Radio";
const std::string kCancelled = "Action cancelled.\nTurn off radio and disconnect from cable.";
const std::string kTrackingRead = "Tracking data read.\nTurn off radio and disconnect from cable.";

struct BandSplit {
    int record;
    std::uint32_t txLow, txHigh, rxLow, rxHigh;
};

// "rfdata.bin": 864 bytes the dialog skips, then 16 records of 24 bytes (present flag, unused
// word, four band edges in Hz, little-endian); records not given are absent.
std::string bandSplitFile(const std::vector<BandSplit>& splits) {
    std::string bytes(864 + 16 * 24, '\0');
    for (const auto& s : splits) {
        const std::uint32_t values[] = {1, 0xDEADBEEF, s.txLow, s.txHigh, s.rxLow, s.rxHigh};
        for (std::size_t w = 0; w < 6; ++w)
            for (std::size_t i = 0; i < 4; ++i)
                bytes[864 + static_cast<std::size_t>(s.record) * 24 + 4 * w + i] =
                    static_cast<char>(values[w] >> (8 * i));
    }
    return bytes;
}

// The simulated radio's factory tracking block as a .tk1 file: 21 pairs in page order.
const std::string kFactoryTk1 = "80828496A0AA10121450555A40454A9BA5AF0E0F1F";

class KvrE2eTest : public RadioTest {
  protected:
    void SetUp() override {
        startRadio("kvr");
        // The simulated radio is a K-VR Select (type 1) on band split 7, 450 to 470 MHz.
        dir_.write("rfdata.bin", bandSplitFile({{1, 136000000, 150800000, 136000000, 150800000},
                                                {9, 450000000, 470000000, 450000000, 470000000},
                                                {10, 470000000, 492000000, 470000000, 492000000}}));
        iniText_ = "[Directory Settings]\nTranslators=" + dir_.path() + "\n";
    }
    // The running output without --json, which describes each dialog.
    ProcessResult runPlain(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {cliProgram(), "--device", sim_.devicePath(), "--ini",
                                         ini()};
        argv.insert(argv.end(), args.begin(), args.end());
        return runProcess(argv);
    }
};

TEST_F(KvrE2eTest, RadioTypeDialogShowsTheRadioAndCancelClosesTheLink) {
    const ProcessResult plain = runPlain({"kvr", "radio-type"});
    EXPECT_EQ(plain.exitCode, 0) << plain.out << plain.err;
    EXPECT_NE(
        plain.out.find("[dialog KvrRadioType]\n"
                       "  Radio Type (1513):\n"
                       "    0  PNR\n"
                       "  * 1  K-VR Select\n"
                       "    2  K-VR Scan\n"
                       "    3  K-VR System\n"
                       "  Bandsplit Settings (1515):   Transmit Frequency    Receive Frequency\n"
                       "    0  136.0000-150.8000    136.0000-150.8000\n"
                       "  * 1  450.0000-470.0000    450.0000-470.0000\n"
                       "    2  470.0000-492.0000    470.0000-492.0000\n"
                       "  Buttons: Write To Radio, Cancel\n"
                       "  press Cancel -> cancelled\n"),
        std::string::npos)
        << plain.out;

    const CliRun r = run({"kvr", "radio-type"});
    EXPECT_EQ(r.exitCode, 0) << r.dump();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.texts(), (std::vector<std::string>{kPowerOn, kCancelled}));

    // The link was closed: the radio answers the next operation as usual.
    const CliRun next = run({"kvr", "read-tracking"});
    EXPECT_EQ(next.texts(), (std::vector<std::string>{kPowerOn, kTrackingRead})) << next.dump();
}

TEST_F(KvrE2eTest, WrittenRadioTypeAndBandSplitAreReadBackInTheNextRun) {
    const CliRun write = run({"kvr", "radio-type-write", "3", "2"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_EQ(write.texts(),
              (std::vector<std::string>{
                  kPowerOn, "Initial data written.\nTurn off radio and disconnect from cable."}));

    const ProcessResult again = runPlain({"kvr", "radio-type"});
    ASSERT_EQ(again.exitCode, 0) << again.out << again.err;
    EXPECT_NE(again.out.find("  * 3  K-VR System\n"), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("  * 2  470.0000-492.0000    470.0000-492.0000\n"), std::string::npos)
        << again.out;
    EXPECT_EQ(again.out.find("  * 1  "), std::string::npos) << again.out;

    // Tracking data share the radio's memory with the initial data and are untouched.
    const CliRun tracking = run({"kvr", "read-tracking"});
    EXPECT_EQ(tracking.field(1005), "128") << tracking.dump();
}

TEST_F(KvrE2eTest, TrackingSavedToTk1LoadsBackAndWritesToTheRadio) {
    const std::string saved = dir_.file("factory.tk1");
    const CliRun save = run({"kvr", "read-tracking", "save-tracking", saved});
    ASSERT_EQ(save.exitCode, 0) << save.dump();
    EXPECT_EQ(save.texts(), (std::vector<std::string>{kPowerOn, kTrackingRead}));
    EXPECT_EQ(readFileBytes(saved), kFactoryTk1);

    // A fresh run (empty page) loads the file without the radio.
    const CliRun load = run({"kvr", "load-tracking", saved});
    ASSERT_EQ(load.exitCode, 0) << load.dump();
    EXPECT_TRUE(load.messages.empty());
    EXPECT_EQ(load.fieldsAt({1005, 1022, 1049, 1099}),
              (std::vector<std::string>{"128", "170", "20", "31"}));

    // Squelch low 5, high power high 255, talk-around modulation high 0.
    std::string edited = kFactoryTk1;
    edited.replace(0, 2, "05");
    edited.replace(10, 2, "FF");
    edited.replace(40, 2, "00");
    const std::string changed = dir_.write("changed.tk1", edited);
    const CliRun write = run({"kvr", "load-tracking", changed, "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_EQ(write.texts(),
              (std::vector<std::string>{
                  kPowerOn, "Tracking data written.\nTurn off radio and disconnect from cable."}));

    const std::string back = dir_.file("back.tk1");
    const CliRun read = run({"kvr", "read-tracking", "save-tracking", back});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_EQ(readFileBytes(back), edited);  // saved from the fields the read filled
}

}  // namespace
}  // namespace tw::e2e
