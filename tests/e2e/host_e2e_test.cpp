// tunewright-host against tunewright-sim: a personality written to a simulated radio and
// read back is the same, and the radio keeps its own tracking and feature data.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "plugin/codec/personality_encoder.h"
#include "plugin/personality_fixtures.h"
#include "ui/scripted_ui.h"

#include "e2e/cli_run.h"
#include "e2e/sim_process.h"

namespace tw::e2e {
namespace {

constexpr int kFeatures = 1073;
constexpr int kFirstTracking = 1053;

// The lines of `show` blocks: everything between one "read-...: done" and the next step.
std::vector<std::vector<std::string>> showBlocks(const std::string& out) {
    std::vector<std::vector<std::string>> blocks;
    bool in = false;
    std::size_t at = 0;
    while (at < out.size()) {
        const auto end = out.find('\n', at);
        const std::string line =
            out.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? out.size() : end + 1;
        if (line.rfind("name: ", 0) == 0 || line == "name:") {
            blocks.emplace_back();
            in = true;
        } else if (line.empty() || line[0] == '[' || line.find(": done") != std::string::npos ||
                   line.find(": failed") != std::string::npos) {
            in = false;
        }
        if (in) blocks.back().push_back(line);
    }
    return blocks;
}

struct Case {
    char type;
    int band;
    bool preamble;
    std::vector<std::string> simOptions;
};

TEST(HostE2e, WriteAndReadBackThroughTheRadioKeepsPersonalityAndRadioData) {
    const Case cases[] = {
        {'A', 2, false, {"type=A", "id1=2"}},
        {'U', 7, false, {"type=U", "id1=7"}},
        {'C', 11, true, {"type=C", "id1=11", "id2=32"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.type));
        TempDir dir;
        test::Fixture f = test::makeFixture({c.type, c.band, false, 21});
        ScriptedUi quiet;
        f.request.toRadio = false;
        ASSERT_EQ(EncodePersonality(f.image, f.personality, f.request, f.identity, quiet),
                  kEncodeDone);
        const std::string seed = dir.write(
            "seed.img", std::string(f.image.buffer.begin(),
                                    f.image.buffer.begin() + static_cast<long>(f.image.endOfData)));

        // The radio reports the data version the image was made for, as a radio would.
        std::vector<std::string> simArgs = {"--no-pace"};
        if (const auto* extras = f.personality.GetOption<CImageExtras>();
            extras && extras->hasVersion)
            simArgs.insert(simArgs.end(),
                           {"--option", "version=" + std::to_string(extras->versionMajor) + "." +
                                            std::to_string(extras->versionMinor)});
        for (const auto& o : c.simOptions) simArgs.insert(simArgs.end(), {"--option", o});
        SimProcess sim;
        ASSERT_TRUE(sim.start("hln", simArgs)) << sim.error();
        const std::string ini = dir.write("novac4.ini", "");
        const std::string letter(1, c.type);
        const CliRun before = cli(sim, ini, {"--radio-type", letter, "hln", "get-status"});
        ASSERT_EQ(before.exitCode, 0) << before.err;

        const ProcessResult run =
            runProcess({hostProgram(), "--device", sim.devicePath(), "--ini", ini, "--dump-dir",
                        dir.file("dumps"), "--yes", "new", letter, std::to_string(c.band),
                        "read-file", seed, "show", "write-radio", "read-radio", "show"});
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        const auto blocks = showBlocks(run.out);
        ASSERT_EQ(blocks.size(), 2u) << run.out;
        EXPECT_GT(blocks[0].size(), 10u);
        for (std::size_t i = 0; i < std::min(blocks[0].size(), blocks[1].size()); ++i)
            ASSERT_EQ(blocks[0][i], blocks[1][i]) << "line " << i;
        EXPECT_EQ(blocks[0].size(), blocks[1].size());
        if (c.preamble) {
            const std::string dump = dir.file("dumps") + "/write.hex";
            std::ifstream in(dump, std::ios::binary);
            std::string head(5, '\0');
            in.read(head.data(), 5);
            EXPECT_EQ(head, std::string("\x01\x00\x03\x00\x09", 5));
        }

        const CliRun after = cli(sim, ini, {"--radio-type", letter, "hln", "get-status"});
        ASSERT_EQ(after.exitCode, 0) << after.err;
        EXPECT_EQ(after.field(kFeatures), before.field(kFeatures));
        EXPECT_EQ(after.field(kFirstTracking), before.field(kFirstTracking));
        sim.stop();
    }
}

TEST(HostE2e, MissingExportIsNamedAndBadInputExitsOne) {
    TempDir dir;
    const ProcessResult noPlugin =
        runProcess({hostProgram(), "--plugin", dir.file("none.so"), "tabs"});
    EXPECT_EQ(noPlugin.exitCode, 1);
    EXPECT_NE(noPlugin.err.find("cannot load the plug-in"), std::string::npos);
    // The store library holds none of the exports.
    const ProcessResult notPlugin =
        runProcess({hostProgram(), "--plugin", pstoreLibrary(), "tabs"});
    EXPECT_EQ(notPlugin.exitCode, 1);
    EXPECT_NE(notPlugin.err.find("the plug-in has no export AddTabs"), std::string::npos);
    EXPECT_EQ(runProcess({hostProgram(), "frobnicate"}).exitCode, 2);

    const ProcessResult missing = runProcess({hostProgram(), "--dump-dir", dir.file("d"), "new",
                                              "U", "7", "read-file", dir.file("x.img")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("read-file: failed"), std::string::npos);
    const ProcessResult noBand = runProcess({hostProgram(), "--dump-dir", dir.file("d"), "type",
                                             "U", "read-file", dir.file("x.img"), "--desc", "U"});
    EXPECT_EQ(noBand.exitCode, 1);
    EXPECT_NE(noBand.out.find("read-file: refused"), std::string::npos);
}

}  // namespace
}  // namespace tw::e2e
