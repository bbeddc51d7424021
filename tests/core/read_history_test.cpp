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
    // Listed in the order they were kept, the second of the same second after the first.
    EXPECT_EQ(readText(listed[0].path), "first");
    EXPECT_EQ(readText(listed[1].path), "second");
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

// Before a write: the copy is marked and listed as such; without one the technician decides,
// unless the run said beforehand (--no-copy-before-write, --no-history).
TEST_F(ReadHistoryTest, ACopyBeforeEveryWriteOrAQuestion) {
    const std::string noCopy =
        std::string(history_text::kNotRead) + history_text::kWriteWithoutCopy;
    const struct {
        const char* what;
        bool read, folderBlocked, withoutCopy, keepHistory, answer;
        bool goesOn, asked, kept;
    } cases[] = {
        {"copy kept", true, false, false, true, false, true, false, true},
        {"read failed, No", false, false, false, true, false, false, true, false},
        {"read failed, Yes", false, false, false, true, true, true, true, false},
        {"copy not saved, No", true, true, false, true, false, false, true, false},
        {"read failed, --no-copy-before-write", false, false, true, true, false, true, false,
         false},
        {"no history", false, false, false, false, false, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dataHome_ / "tunewright");
        if (c.folderBlocked) std::ofstream(dataHome_ / "tunewright") << "not a folder";
        ScriptedUi ui;
        ui.riskyAnswers.push_back(c.answer);
        AppState app;
        app.keepHistory = c.keepHistory;
        app.writeWithoutCopy = c.withoutCopy;
        Env env{ui, clock_, profile_, link_, app};
        const HeldCopy held =
            c.read ? HeldCopy(std::vector<std::uint8_t>{'o', 'l', 'd'}) : HeldCopy();
        EXPECT_EQ(keepBeforeWrite(env, "wla", "WLA", "tk4", held), c.goesOn);
        const auto shown = ui.messages();
        EXPECT_EQ(!shown.empty(), c.asked);
        if (c.asked && !c.folderBlocked) {
            EXPECT_EQ(shown[0], noCopy);
        }
        if (c.folderBlocked) {
            EXPECT_NE(shown.at(0).find("could not be kept in"), std::string::npos);
        }
        const auto listed = keptRadioReads(app, "wla");
        EXPECT_EQ(listed.size(), c.kept ? 1u : 0u);
        if (c.kept) {
            EXPECT_TRUE(listed[0].beforeWrite);
            EXPECT_EQ(fs::path(listed[0].path).filename().string().substr(20), "-before-write.tk4");
            EXPECT_EQ(readText(listed[0].path), "old");
        }
    }
    fs::remove(dataHome_ / "tunewright");

    // A run without history says once that its writes keep no copies.
    app_.keepHistory = false;
    EXPECT_TRUE(keepBeforeWrite(env_, "kvr", "KVR", "tk1", HeldCopy()));
    EXPECT_TRUE(keepBeforeWrite(env_, "kvr", "KVR", "tk1", HeldCopy()));
    EXPECT_EQ(ui_.events().size(), 1u);
    EXPECT_TRUE(ui_.messages().empty());
}

// Only a file that lies in the family's history, named as a copy, is taken for one.
TEST_F(ReadHistoryTest, AFileIsACopyOnlyWhereAndAsTheHistoryKeepsIt) {
    keep("hln", "0102030405A6", "kept");
    const auto listed = keptRadioReads(app_, "hln");
    ASSERT_EQ(listed.size(), 1u);
    const fs::path copy = listed[0].path;
    const auto found = historyCopyAt(app_, "hln", copy.string());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->radio, "0102030405A6");
    EXPECT_EQ(found->time, listed[0].time);
    // The same file reached by a detour is still the copy.
    const fs::path detour = copy.parent_path() / ".." / "0102030405A6" / copy.filename();
    EXPECT_TRUE(historyCopyAt(app_, "hln", detour.string()));
    EXPECT_FALSE(historyCopyAt(app_, "kvr", copy.string()));  // another family's
    const fs::path renamed = copy.parent_path() / "mine.tk1";
    fs::copy_file(copy, renamed);
    EXPECT_FALSE(historyCopyAt(app_, "hln", renamed.string()));  // no stamp in its name
    EXPECT_FALSE(historyCopyAt(app_, "hln", (dataHome_ / "elsewhere.tk1").string()));
}

}  // namespace
}  // namespace tw
