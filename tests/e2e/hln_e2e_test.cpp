// HLN page through tunewright-cli against simulated HLN-family radios on pseudo-terminals.
// Only radios that wake on wake bytes can be reached this way: breaks and RTS pulses do not
// cross a pseudo-terminal. Every connection costs two seconds of the radio-ID pause, so runs
// that do not depend on each other go at the same time.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

const std::string kProgramMode =
    "If radio is not in program mode, power cycle radio to program mode.\n\nSee Perscribe online "
    "help for instructions on how to place radios in program mode.";

constexpr int kModel = 1062;
constexpr int kSerialNumber = 1074;
constexpr int kFeatures = 1073;

// The 27 tracking controls in the order of the .tk2 file.
const std::vector<int> kTk2Order = {1053, 1021, 1039, 1048, 1011, 1051, 1016, 1033, 1042,
                                    1004, 1052, 1019, 1036, 1045, 1007, 1103, 1078, 1089,
                                    1098, 1101, 1070, 1083, 1092, 1102, 1075, 1086, 1095};

// One simulated radio and the runs of the command line against it.
struct Radio {
    SimProcess sim;
    std::string ini;
    CliRun run(const std::vector<std::string>& args) const { return cli(sim, ini, args); }
};

class HlnE2eTest : public ::testing::Test {
  protected:
    // A radio with model options ("type=A", ...) and further simulator options.
    Radio& radio(const std::vector<std::string>& options,
                 const std::vector<std::string>& simArgs = {"--no-pace"}) {
        std::vector<std::string> args = simArgs;
        for (const auto& o : options) args.insert(args.end(), {"--option", o});
        radios_.push_back(std::make_unique<Radio>());
        Radio& r = *radios_.back();
        // Runs at the same time must not share a profile file: opening a port may rewrite it.
        r.ini = dir_.write("novac4-" + std::to_string(radios_.size()) + ".ini", "");
        EXPECT_TRUE(r.sim.start("hln", args)) << r.sim.error();
        return r;
    }

    TempDir dir_;
    std::vector<std::unique_ptr<Radio>> radios_;
};

// What each radio type shows and refuses is the page's own business; here the two ways of
// waking a radio cross a real line, one of them at the pace of 9600 baud.
TEST_F(HlnE2eTest, StatusAndFeaturesOfTwoRadioTypes) {
    const Radio& hln = radio({"type=A"}, {"--baud", "9600"});
    const Radio& zkt = radio({"type=U"});
    const auto runs = runTogether<CliRun>({
        [&] {
            return hln.run({"--radio-type", "A", "hln", "get-status"});
        },
        [&] {
            return zkt.run({"--radio-type", "U", "hln", "get-status", "read-features"});
        },
    });
    const CliRun& a = runs[0];
    const CliRun& u = runs[1];

    ASSERT_EQ(a.exitCode, 0) << a.dump();
    EXPECT_TRUE(a.messages.empty());
    EXPECT_EQ(a.fieldsAt({kModel, kSerialNumber, kFeatures, 1016, 1004, 1011}),
              (std::vector<std::string>{"HLN", "00A1B2C3D4E5", "01FF09101112131415161718191A",
                                        "128", "160", "192"}));  // record bytes 0, 24, 26
    EXPECT_EQ(a.enabledAmong(kTk2Order), kTk2Order);

    ASSERT_EQ(u.exitCode, 0) << u.dump();
    // The feature read always wakes the radio the TRV way, whatever type was chosen.
    EXPECT_EQ(u.texts(),
              (std::vector<std::string>{kProgramMode, "Feature data read successfully."}));
    EXPECT_EQ(u.fieldsAt({kModel, kFeatures, 1016}),
              (std::vector<std::string>{"ZKT", "01FF09101112131415161718191A", "128"}));
    EXPECT_EQ(u.enabledAmong(kTk2Order),
              (std::vector<int>{1053, 1048, 1051, 1042, 1004, 1052, 1045}));
}

// Tracking data and feature data from files, and the whole image read into a file, go to the
// radio in one run and come back in the next.
TEST_F(HlnE2eTest, WrittenInOneRunReadInTheNext) {
    const Radio& hln = radio({"type=A"});
    const Radio& zkt = radio({"type=U"});
    const Radio& imaged = radio({"type=A"});
    // Distinct values within the ranges the page accepts (squelch 144 to 226, modulation
    // 0 to 63, power 0 to 255), in .tk2 order.
    const std::string tk2 =
        "28C96529C82ACA662B962CCB672"
        "DAA2ECC682F30CD693132CE6A33";
    const std::string tk2File = dir_.write("new.tk2", tk2);
    const std::string tk2Back = dir_.file("back.tk2");
    // A longer record than the radio holds now: count 10, 15 bytes.
    const std::string features = "01FF0AAABBCCDDEEFF001122334455";
    const std::string feaFile = dir_.write("new.fea", features);
    const std::string feaBack = dir_.file("back.fea");
    const std::string firstImage = dir_.file("first.img");
    const std::string changedImage = dir_.file("changed.img");
    const std::string secondImage = dir_.file("second.img");
    std::string image;

    const auto runs = runTogether<std::vector<CliRun>>({
        [&] {
            return std::vector<CliRun>{
                hln.run({"--radio-type", "A", "hln", "load-tracking", tk2File, "write-tracking"}),
                hln.run({"--radio-type", "A", "hln", "read-tracking", "save-tracking", tk2Back})};
        },
        [&] {
            return std::vector<CliRun>{
                zkt.run({"--radio-type", "U", "hln", "load-features", feaFile, "write-features"}),
                zkt.run({"--radio-type", "U", "hln", "read-features", "save-features", feaBack})};
        },
        [&] {
            std::vector<CliRun> lane{
                imaged.run({"--radio-type", "A", "hln", "read-image", firstImage})};
            image = readFileBytes(firstImage);
            if (image.size() != 2048) return lane;
            // Changed bytes far from the pointer table and the records.
            image[0x700] = static_cast<char>(~image[0x700]);
            image[0x7FF] = 0x42;
            dir_.write("changed.img", image);
            lane.push_back(imaged.run({"--radio-type", "A", "--yes", "hln", "write-image",
                                       changedImage, "read-image", secondImage}));
            return lane;
        },
    });

    const CliRun& writeTracking = runs[0][0];
    const CliRun& readTracking = runs[0][1];
    ASSERT_EQ(writeTracking.exitCode, 0) << writeTracking.dump();
    EXPECT_EQ(writeTracking.texts(),
              (std::vector<std::string>{"Tracking data written successfully."}));
    ASSERT_EQ(readTracking.exitCode, 0) << readTracking.dump();
    EXPECT_EQ(readTracking.texts(), (std::vector<std::string>{"Tracking data read successfully."}));
    EXPECT_EQ(readTracking.field(kModel), "HLN");
    EXPECT_EQ(readFileBytes(tk2Back), tk2);  // saved from the fields the read filled

    const CliRun& writeFeatures = runs[1][0];
    const CliRun& readFeatures = runs[1][1];
    ASSERT_EQ(writeFeatures.exitCode, 0) << writeFeatures.dump();
    EXPECT_EQ(writeFeatures.texts(),
              (std::vector<std::string>{"Feature data written successfully."}));
    ASSERT_EQ(readFeatures.exitCode, 0) << readFeatures.dump();
    EXPECT_EQ(readFeatures.texts(),
              (std::vector<std::string>{kProgramMode, "Feature data read successfully."}));
    EXPECT_EQ(readFeatures.field(kFeatures), features);
    EXPECT_EQ(readFileBytes(feaBack), features);

    const CliRun& readImage = runs[2][0];
    ASSERT_EQ(readImage.exitCode, 0) << readImage.dump();
    EXPECT_EQ(readImage.texts(),
              (std::vector<std::string>{"Image read successfully (2048 bytes)."}));
    ASSERT_EQ(image.size(), 2048u);
    ASSERT_EQ(runs[2].size(), 2u);
    const CliRun& writeImage = runs[2][1];
    ASSERT_EQ(writeImage.exitCode, 0) << writeImage.dump();
    EXPECT_EQ(writeImage.texts(),
              (std::vector<std::string>{"Write the image file to the radio?\nThis replaces the "
                                        "radio's whole memory, its personality and alignment "
                                        "included.",
                                        "Image written successfully.",
                                        "Image read successfully (2048 bytes)."}));
    EXPECT_EQ(readFileBytes(secondImage), image);
}

}  // namespace
}  // namespace tw::e2e
