// WLB and MARTEN 60P pages through tunewright-cli against simulated radios on a
// pseudo-terminal: tracking reads and writes, files, Defaults and the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/radio_test.h"

namespace tw::e2e {
namespace {

constexpr int kVersion = 2060;
constexpr int kBandSplit = 2061;

using CompactE2eTest = RadioTest;

TEST_F(CompactE2eTest, WlbTrackingFilesDefaultsAndReport) {
    startRadio("wlb", {"band=1", "version=10"});
    const std::string saved = dir_.file("radio.tk5");
    const CliRun read = run({"wlb", "get-status", "report", "save-tracking", saved});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(read.fieldsAt({kVersion, kBandSplit, 2040}),
              (std::vector<std::string>{"5.8A", "150-174MHz", "34"}));
    EXPECT_EQ(read.report.at(1), "Band Split    150-174MHz      Version     5.8A");
    const std::string file = readFileBytes(saved);
    ASSERT_EQ(file.size(), 21u);
    EXPECT_EQ(static_cast<unsigned char>(file[1]), 34);  // opening before closing
    EXPECT_EQ(static_cast<unsigned char>(file[2]), 38);
    EXPECT_EQ(file[20], 1);
    EXPECT_EQ(read.source, "Saved to " + saved + " at T");

    // Defaults cancelled leave the page as read; a range the list lacks fails the run.
    const CliRun cancelled = run({"wlb", "read-tracking", "defaults", "cancel"});
    ASSERT_EQ(cancelled.exitCode, 0) << cancelled.dump();
    EXPECT_EQ(cancelled.fieldsAt({kVersion, 2044}), (std::vector<std::string>{"5.8A", "252"}));
    EXPECT_EQ(cancelled.source, "Read from radio WLB at T");
    const CliRun refused = run({"wlb", "defaults", "7"});
    EXPECT_EQ(refused.exitCode, 1) << refused.dump();
    EXPECT_EQ(refused.field(2059), "");

    // Defaults for 403-440 MHz go to the radio and come back in the next session.
    const CliRun write = run({"wlb", "defaults", "2", "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_TRUE(write.messages.empty());
    EXPECT_EQ(write.source, "Written to radio WLB at T");
    const CliRun again = run({"wlb", "read-tracking"});
    ASSERT_EQ(again.exitCode, 0) << again.dump();
    // The band index is the radio's own.
    EXPECT_EQ(again.fieldsAt({2044, 2050, kBandSplit}),
              (std::vector<std::string>{"248", "80", "150-174MHz"}));

    const CliRun load = run({"wlb", "load-tracking", saved, "report"});
    ASSERT_EQ(load.exitCode, 0) << load.dump();
    EXPECT_EQ(load.field(2044), "252");
    EXPECT_EQ(load.source, "Loaded from " + saved + " at T");
    EXPECT_EQ(load.report.at(1), "Band Split    150-174MHz      Version     ");
}

TEST_F(CompactE2eTest, Marten60PTrackingDefaultsReportAndWrongRadio) {
    startRadio("marten60p");
    const CliRun write =
        run({"marten60p", "read-tracking", "defaults", "1", "set", "2063=7", "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    // The write identifies the radio again.
    EXPECT_EQ(write.fieldsAt({kBandSplit, kVersion}),
              (std::vector<std::string>{"150.775-174MHz", "6.1A"}));

    const std::string saved = dir_.file("m.tk6");
    const CliRun read = run({"marten60p", "read-tracking", "report", "save-tracking", saved});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_EQ(read.fieldsAt({kVersion, kBandSplit}),
              (std::vector<std::string>{"6.1A", "440-470MHz"}));
    EXPECT_EQ(read.report.at(17), "Tx Deviation Offset           7");
    EXPECT_EQ(readFileBytes(saved).size(), 17u);

    // A MARTEN 60P is no WLB.
    const CliRun wrong = run({"wlb", "read-tracking"});
    EXPECT_EQ(wrong.exitCode, 1) << wrong.dump();
    EXPECT_EQ(wrong.source, "Tracking data read failed at T");
    EXPECT_EQ(wrong.texts(), (std::vector<std::string>{
                                 "Wrong radio type number",
                                 "Could not initialize radio. Check connection and confirm no "
                                 "other application is using comm port. "}));
}

}  // namespace
}  // namespace tw::e2e

namespace tw::e2e {
namespace {

// A file written over a radio leaves the copy of what the radio held; that copy loads back,
// restores the radio and compares equal with what the radio held first.
TEST_F(CompactE2eTest, TheBeforeWriteCopyPutsTheRadioBack) {
    startRadio("wlb", {"band=1"});
    const std::string original = dir_.file("original.tk5"), edited = dir_.file("edited.tk5");
    ASSERT_EQ(run({"wlb", "read-tracking", "save-tracking", original}).exitCode, 0);
    ASSERT_EQ(
        run({"wlb", "load-tracking", original, "set", "2040=7", "save-tracking", edited}).exitCode,
        0);
    const CliRun write = run({"wlb", "load-tracking", edited, "write-tracking", "history"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    std::string copy;
    for (const auto& line : write.report)
        if (line.find("-before-write.tk5") != std::string::npos)
            copy = line.substr(0, line.find("  "));
    ASSERT_FALSE(copy.empty()) << write.dump();

    const CliRun restore =
        run({"wlb", "load-tracking", copy, "write-tracking", "read-tracking", "compare", copy});
    EXPECT_EQ(restore.exitCode, 0) << restore.dump();
    EXPECT_EQ(restore.field(2040), run({"wlb", "load-tracking", original}).field(2040));
    const CliRun same = run({"wlb", "compare-files", copy, original});
    EXPECT_EQ(same.exitCode, 0) << same.dump();
    const CliRun differs = run({"wlb", "compare-files", edited, original});
    EXPECT_EQ(differs.exitCode, 3) << differs.dump();
}

}  // namespace
}  // namespace tw::e2e
