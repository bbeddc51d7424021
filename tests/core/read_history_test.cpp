#include "history/read_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/env.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every test program has a data home of its own (tests/support); each test here starts with
// no history in it.
class ReadHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::remove_all(dataHome_ / "tunewright"); }
    void TearDown() override { fs::remove_all(dataHome_ / "tunewright"); }
    void keep(const std::string& family, const std::string& radio, const std::string& bytes) {
        keepRadioRead(env_, family, radio, "tk1",
                      std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    const fs::path dataHome_ = std::getenv("XDG_DATA_HOME");
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(fs::temp_directory_path() / "tw_history_none.ini").string()};
    sim::SimDeviceFactory devices_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
    SerialLink link_{profile_, devices_, clock_, ui_};
    AppState app_;
    Env env_{ui_, clock_, profile_, link_, app_};
};

TEST(ReadHistoryNames, RadioFolderNamesStayInsideTheirFamily) {
    const struct {
        std::string radio, folder;
    } cases[] = {
        {"0102030405A6", "0102030405A6"},
        {"Marten 30 Portable", "Marten 30 Portable"},
        {"", "unknown"},
        {"..", "__"},
        {"../../etc", "___.._etc"},  // one folder name, never a way up
        {".hidden", "_hidden"},
        {"a/b\\c\n", "a_b_c_"},
        {std::string(100, 'x'), std::string(64, 'x')},
    };
    for (const auto& c : cases) EXPECT_EQ(historyFolderName(c.radio), c.folder) << c.radio;
}

TEST_F(ReadHistoryTest, EachReadKeepsItsOwnDatedCopy) {
    keep("kvr", "KVR", "first");
    keep("kvr", "KVR", "second");  // the same second: a name of its own, nothing overwritten
    const auto listed = keptRadioReads(app_, "kvr");
    ASSERT_EQ(listed.size(), 2u);
    std::vector<std::string> contents{readText(listed[0].path), readText(listed[1].path)};
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"first", "second"}));
    const fs::path file = listed[0].path;
    EXPECT_EQ(file.parent_path(), dataHome_ / "tunewright" / "history" / "kvr" / "KVR");
    EXPECT_EQ(file.extension(), ".tk1");
    EXPECT_EQ(listed[0].radio, "KVR");
    EXPECT_EQ(listed[0].time.size(), 19u);  // "2026-12-07 01:58:03"
    EXPECT_EQ(listed[0].time[10], ' ');
    EXPECT_TRUE(ui_.events().empty());
    EXPECT_TRUE(keptRadioReads(app_, "hln").empty());
}

TEST_F(ReadHistoryTest, SimulatedRunsFileApart) {
    app_.simulated = true;
    keep("hln", "0102030405A6", "sim");
    const auto listed = keptRadioReads(app_, "hln");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(fs::path(listed[0].path).parent_path(),
              dataHome_ / "tunewright" / "history" / "simulated" / "hln" / "0102030405A6");
    app_.simulated = false;
    EXPECT_TRUE(keptRadioReads(app_, "hln").empty());
}

TEST_F(ReadHistoryTest, AFailedCopyIsOnlyADetail) {
    std::ofstream(dataHome_ / "tunewright") << "a file where the folder should be";
    keep("kvr", "KVR", "lost");
    ASSERT_EQ(ui_.events().size(), 1u);
    EXPECT_EQ(ui_.events()[0].kind, "detail");
    EXPECT_TRUE(ui_.messages().empty());
}

}  // namespace
}  // namespace tw
