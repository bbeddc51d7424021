// WLB and MARTEN 60P pages through tunewright-cli against simulated radios on a
// pseudo-terminal: tracking reads and writes, files, Defaults and the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/cli_run.h"

namespace tw::e2e {
namespace {

constexpr int kVersion = 2060;
constexpr int kBandSplit = 2061;

class CompactE2eTest : public ::testing::Test {
  protected:
    std::string ini() const { return dir_.write("novac4.ini", ""); }
    CliRun run(const std::vector<std::string>& args) { return cli(sim_, ini(), args); }
    void startRadio(const std::string& family, const std::vector<std::string>& options = {}) {
        std::vector<std::string> args = {"--no-pace"};
        for (const auto& o : options) {
            args.push_back("--option");
            args.push_back(o);
        }
        ASSERT_TRUE(sim_.start(family, args)) << sim_.error();
    }

    TempDir dir_;
    SimProcess sim_;
};

TEST_F(CompactE2eTest, WlbTrackingFilesDefaultsAndReport) {
    startRadio("wlb", {"band=1", "version=10"});
    const std::string saved = dir_.file("radio.tk5");
    const CliRun read = run({"wlb", "get-status", "report", "save-tracking", saved});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(read.field(kVersion), "5.8A");
    EXPECT_EQ(read.field(kBandSplit), "150-174MHz");
    EXPECT_EQ(read.field(2040), "34");
    ASSERT_EQ(read.report.size(), 23u);
    EXPECT_EQ(read.report[1], "Band Split    150-174MHz      Version     5.8A");
    EXPECT_EQ(read.report[5], "Opening         34            33");
    const std::string file = readFileBytes(saved);
    ASSERT_EQ(file.size(), 21u);
    EXPECT_EQ(static_cast<unsigned char>(file[1]), 34);  // opening before closing
    EXPECT_EQ(static_cast<unsigned char>(file[2]), 38);
    EXPECT_EQ(file[20], 1);

    // Defaults for 403-440 MHz go to the radio and come back in the next session.
    const CliRun write = run({"wlb", "defaults", "2", "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_TRUE(write.messages.empty());
    const CliRun again = run({"wlb", "read-tracking"});
    ASSERT_EQ(again.exitCode, 0) << again.dump();
    EXPECT_EQ(again.field(2044), "248");
    EXPECT_EQ(again.field(2050), "80");
    EXPECT_EQ(again.field(kBandSplit), "150-174MHz") << "the band index is the radio's own";

    const CliRun load = run({"wlb", "load-tracking", saved, "report"});
    ASSERT_EQ(load.exitCode, 0) << load.dump();
    EXPECT_EQ(load.field(2044), "252");
    EXPECT_EQ(load.report.at(1), "Band Split    150-174MHz      Version     ");
}

TEST_F(CompactE2eTest, Marten60PTrackingDefaultsAndReport) {
    startRadio("marten60p");
    const CliRun write =
        run({"marten60p", "read-tracking", "defaults", "1", "set", "2063=7", "write-tracking"});
    ASSERT_EQ(write.exitCode, 0) << write.dump();
    EXPECT_EQ(write.field(kBandSplit), "150.775-174MHz");
    EXPECT_EQ(write.field(kVersion), "6.1A") << "the write identifies the radio again";

    const std::string saved = dir_.file("m.tk6");
    const CliRun read = run({"marten60p", "read-tracking", "report", "save-tracking", saved});
    ASSERT_EQ(read.exitCode, 0) << read.dump();
    EXPECT_EQ(read.field(kVersion), "6.1A");
    EXPECT_EQ(read.field(kBandSplit), "440-470MHz");
    ASSERT_EQ(read.report.size(), 18u);
    EXPECT_EQ(read.report[4], "Opening        174           221");
    EXPECT_EQ(read.report[17], "Tx Deviation Offset           7");
    EXPECT_EQ(readFileBytes(saved).size(), 17u);
}

TEST_F(CompactE2eTest, DefaultsCancelledOrRefused) {
    startRadio("wlb");
    const CliRun cancelled = run({"wlb", "read-tracking", "defaults", "cancel"});
    ASSERT_EQ(cancelled.exitCode, 0) << cancelled.dump();
    EXPECT_EQ(cancelled.field(kVersion), "5.9C");
    const CliRun refused = run({"wlb", "defaults", "7"});
    EXPECT_EQ(refused.exitCode, 1) << refused.dump();
    EXPECT_EQ(refused.field(2059), "");
}

TEST_F(CompactE2eTest, WrongRadioOnTheCable) {
    startRadio("marten60p");
    const CliRun r = run({"wlb", "read-tracking"});
    EXPECT_EQ(r.exitCode, 1) << r.dump();
    EXPECT_EQ(r.texts(), (std::vector<std::string>{
                             "Wrong radio type number",
                             "Could not initialize radio. Check connection and confirm no other "
                             "application is using comm port. "}));
}

}  // namespace
}  // namespace tw::e2e
