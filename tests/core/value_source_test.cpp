#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "history/read_history.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"
#include "view/main_view.h"

namespace tw {
namespace {

// A page whose operations succeed or fail on demand and reach a radio or a file the way the
// family pages do: a read keeps its copy, a write keeps the copy of what the radio held.
class SourcePage : public FamilyPage {
  public:
    explicit SourcePage(Env& env) : FamilyPage(env) {
        controls_.add(kValue, "0");
        controls_.add(kFeature, "");
    }
    static constexpr int kValue = 1001, kFeature = 1002;
    bool fail = false;
    std::string serial = "00A1B2C3D4E5";

    bool GetStatus() override { return read("77"); }
    bool ReadTrackingFromRadio() override { return read("78"); }
    bool ReadTrackingFromDisk() override {
        if (!askDataFile(dataFileChoice("Track|*.trk||", "trk", false), false)) return false;
        if (fail) return false;
        controls_.setText(kValue, "12");
        return true;
    }
    bool WriteTrackingToRadio() override {
        if (fail) return false;
        return keepBeforeWrite(env_, "test", serial, "trk", HeldCopy{});
    }
    bool WriteTrackingToDisk() override {
        return askDataFile(dataFileChoice("Track|*.trk||", "trk", true), true).has_value() && !fail;
    }
    bool WriteFeaturesToDisk() override {
        return askDataFile(dataFileChoice("Features|*.fea||", "fea", true), true).has_value();
    }
    bool Defaults() {
        controls_.setText(kValue, "5");
        noteDefaults("403-470 MHz");
        return true;
    }

  protected:
    bool isFeatureControl(int id) const override { return id == kFeature; }

  private:
    bool read(const std::string& value) {
        if (fail) return false;
        controls_.setText(kValue, value);
        keepRadioRead(env_, "test", serial, "trk", {});
        return true;
    }
};

class ValueSourceTest : public ::testing::Test {
  protected:
    ValueSourceTest() {
        app_.keepHistory = false;
        std::vector<std::unique_ptr<FamilyPage>> pages;
        for (int t = 0; t < kTabCount; ++t) pages.push_back(std::make_unique<SourcePage>(env_));
        view_ = std::make_unique<MainView>(env_, std::move(pages));
        // The HLN tab: every command reaches the page.
        view_->selectTab(1);
    }
    SourcePage& page() { return static_cast<SourcePage&>(view_->selectedPage()); }
    // The line with each clock time replaced by "T".
    std::string line() {
        static const std::regex time("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]");
        return std::regex_replace(page().source().line(), time, "T");
    }

    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(std::filesystem::temp_directory_path() / "tw_source_none.ini").string()};
    sim::SimDeviceFactory factory_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
    SerialLink link_{profile_, factory_, clock_, ui_};
    AppState app_;
    Env env_{ui_, clock_, profile_, link_, app_};
    std::unique_ptr<MainView> view_;
};

TEST_F(ValueSourceTest, EachOperationSaysWhereTheValuesCameFrom) {
    EXPECT_EQ(line(), "");
    ASSERT_TRUE(view_->execute(Command::GetStatus));
    EXPECT_EQ(line(), "Read from radio 00A1B2C3D4E5 at T");

    page().noteEdited(SourcePage::kValue);
    EXPECT_EQ(line(), "Edited since read from radio 00A1B2C3D4E5 at T");

    ui_.files.push_back("/bench/a.trk");
    ASSERT_TRUE(view_->execute(Command::WriteTrackingToDisk));
    EXPECT_EQ(line(), "Saved to /bench/a.trk at T");

    ui_.files.push_back("/bench/b.trk");
    ASSERT_TRUE(view_->execute(Command::ReadTrackingFromDisk));
    EXPECT_EQ(line(), "Loaded from /bench/b.trk at T");

    page().serial = "00FFEEDDCCBB";
    ASSERT_TRUE(view_->execute(Command::WriteTrackingToRadio));
    EXPECT_EQ(line(), "Written to radio 00FFEEDDCCBB at T");

    ASSERT_TRUE(page().Defaults());
    EXPECT_EQ(line(), "Set to defaults for 403-470 MHz");
}

TEST_F(ValueSourceTest, AFailureKeepsTheOriginAndSaysSo) {
    page().fail = true;
    EXPECT_FALSE(view_->execute(Command::GetStatus));
    EXPECT_EQ(line(), "Get Status failed at T");

    page().fail = false;
    ASSERT_TRUE(view_->execute(Command::GetStatus));
    page().fail = true;
    page().serial = "0000000000FF";
    EXPECT_FALSE(view_->execute(Command::GetStatus));
    EXPECT_EQ(line(),
              "Get Status failed at T; the values shown are from radio 00A1B2C3D4E5, read at T");
    EXPECT_EQ(page().controls().text(SourcePage::kValue), "77");

    page().noteEdited(SourcePage::kValue);
    EXPECT_FALSE(view_->execute(Command::WriteTrackingToRadio));
    EXPECT_EQ(line(),
              "Tracking data write failed at T; the values shown are from radio 00A1B2C3D4E5, "
              "read at T, edited since");
    EXPECT_TRUE(page().unsaved(DataSet::Tracking));

    // A load that fails or is cancelled leaves values and line as they were.
    page().fail = false;
    ui_.files.push_back(std::nullopt);
    EXPECT_FALSE(view_->execute(Command::ReadTrackingFromDisk));
    page().fail = true;
    ui_.files.push_back("/bench/bad.trk");
    EXPECT_FALSE(view_->execute(Command::ReadTrackingFromDisk));
    EXPECT_EQ(line(),
              "Tracking data write failed at T; the values shown are from radio 00A1B2C3D4E5, "
              "read at T, edited since");
}

TEST_F(ValueSourceTest, EditsStayUnsavedUntilTheirSetIsWrittenOrSaved) {
    page().noteEdited(SourcePage::kValue);
    page().noteEdited(SourcePage::kFeature);
    EXPECT_EQ(line(), "Edited");
    EXPECT_TRUE(page().unsaved(DataSet::Tracking));
    EXPECT_TRUE(page().unsaved(DataSet::Features));

    // A cancelled save keeps the edits.
    ui_.files.push_back(std::nullopt);
    EXPECT_FALSE(view_->execute(Command::WriteTrackingToDisk));
    EXPECT_TRUE(page().unsaved(DataSet::Tracking));

    ASSERT_TRUE(view_->execute(Command::WriteTrackingToRadio));
    EXPECT_FALSE(page().unsaved(DataSet::Tracking));
    EXPECT_TRUE(page().unsaved(DataSet::Features));
    EXPECT_EQ(line(), "Edited since written to radio 00A1B2C3D4E5 at T");

    // Saving another tab's page does not touch this one's edits.
    ui_.files.push_back("/bench/c.fea");
    ASSERT_TRUE(view_->execute(Command::WriteFeaturesToDisk, 2));
    EXPECT_TRUE(page().unsaved(DataSet::Features));
    ui_.files.push_back("/bench/c.fea");
    ASSERT_TRUE(view_->execute(Command::WriteFeaturesToDisk, 1));
    EXPECT_FALSE(page().unsaved(DataSet::Both));
    EXPECT_EQ(line(), "Saved to /bench/c.fea at T");
}

TEST_F(ValueSourceTest, APageButtonIsNotedOnlyWhenItBroughtValues) {
    auto& p = page();
    EXPECT_TRUE(p.tracked(SourceEffect::Action, DataSet::Both, "", [] { return true; }));
    EXPECT_EQ(line(), "");
    EXPECT_TRUE(p.tracked(SourceEffect::Action, DataSet::Both, "",
                          [&p] { return p.ReadTrackingFromRadio(); }));
    EXPECT_EQ(line(), "Read from radio 00A1B2C3D4E5 at T");
    // A button that reached the radio but left the values as they were says nothing new.
    p.serial = "0000000000FF";
    EXPECT_TRUE(p.tracked(SourceEffect::Action, DataSet::Both, "",
                          [&p] { return p.ReadTrackingFromRadio(); }));
    EXPECT_EQ(line(), "Read from radio 00A1B2C3D4E5 at T");
}

}  // namespace
}  // namespace tw
