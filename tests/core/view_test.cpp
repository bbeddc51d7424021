#include "view/main_view.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "ui/scripted_ui.h"

namespace tw {
namespace {

// Records which operation the view reached.
class RecordingPage : public FamilyPage {
  public:
    RecordingPage(Env& env, std::vector<std::string>& log, int tab)
        : FamilyPage(env), log_(log), tab_(tab) {}
    bool GetStatus() override { return note("GetStatus"); }
    bool ReadTrackingFromRadio() override { return note("ReadTrackingFromRadio"); }
    bool ReadTrackingFromDisk() override { return note("ReadTrackingFromDisk"); }
    bool WriteTrackingToRadio() override { return note("WriteTrackingToRadio"); }
    bool WriteTrackingToDisk() override { return note("WriteTrackingToDisk"); }
    bool ReadFeaturesFromRadio() override { return note("ReadFeaturesFromRadio"); }
    bool ReadFeaturesFromDisk() override { return note("ReadFeaturesFromDisk"); }
    bool WriteFeaturesToRadio() override { return note("WriteFeaturesToRadio"); }
    bool WriteFeaturesToDisk() override { return note("WriteFeaturesToDisk"); }
    bool SetTestMode(int on) override { return note("SetTestMode " + std::to_string(on)); }

  private:
    bool note(const std::string& what) {
        log_.push_back(std::to_string(tab_) + " " + what);
        return true;
    }
    std::vector<std::string>& log_;
    int tab_;
};

class ViewTest : public ::testing::Test {
  protected:
    std::vector<std::unique_ptr<FamilyPage>> pages() {
        std::vector<std::unique_ptr<FamilyPage>> p;
        for (int t = 0; t < kTabCount; ++t)
            p.push_back(std::make_unique<RecordingPage>(env_, log_, t));
        return p;
    }

    std::vector<std::string> log_;
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{(std::filesystem::temp_directory_path() / "tw_view_test_none.ini").string()};
    sim::SimDeviceFactory factory_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
    SerialLink link_{profile_, factory_, clock_, ui_};
    AppState app_;
    Env env_{ui_, clock_, profile_, link_, app_};
    MainView view_{env_, pages()};
};

TEST_F(ViewTest, GetStatusIsAReadExceptOnTheFeatureTabs) {
    for (int t = 0; t < kTabCount; ++t) {
        ASSERT_TRUE(view_.selectTab(t));
        EXPECT_EQ(view_.enabled(Command::GetStatus), t <= 2 || t == 6) << "tab " << t;
        EXPECT_TRUE(view_.enabled(Command::ReadTrackingFromDisk) &&
                    view_.enabled(Command::WriteTrackingToRadio) &&
                    view_.enabled(Command::TestMode))
            << "tab " << t;
        view_.execute(Command::GetStatus);
    }
    EXPECT_EQ(log_,
              (std::vector<std::string>{"0 ReadTrackingFromRadio", "1 GetStatus", "2 GetStatus",
                                        "3 ReadTrackingFromRadio", "4 ReadTrackingFromRadio",
                                        "5 ReadTrackingFromRadio", "6 ReadTrackingFromRadio"}));
}

TEST_F(ViewTest, FeatureCommandsReachOnlyTheFeatureTabs) {
    const Command features[] = {Command::ReadFeaturesFromRadio, Command::ReadFeaturesFromDisk,
                                Command::WriteFeaturesToRadio, Command::WriteFeaturesToDisk};
    for (int t = 0; t < kTabCount; ++t) {
        view_.selectTab(t);
        for (Command c : features) {
            EXPECT_EQ(view_.enabled(c), t == 1 || t == 2) << "tab " << t;
            view_.execute(c);
        }
    }
    EXPECT_EQ(log_.size(), 8u);
    EXPECT_EQ(log_.front(), "1 ReadFeaturesFromRadio");
    EXPECT_EQ(log_.back(), "2 WriteFeaturesToDisk");
    // Tab 0 answers all four with the message, tab 3 only the save; tabs 4-6 stay silent.
    EXPECT_EQ(ui_.messages(), std::vector<std::string>(5, kNoFeaturesMessage));
}

// The KVR tab only tells the technician; the pages with a test mode of their own are told; any
// test mode locks the tabs until it is toggled off.
TEST_F(ViewTest, TestModeOnEachKindOfTabLocksTheTabs) {
    view_.execute(Command::TestMode);
    view_.execute(Command::TestMode);
    view_.selectTab(1);
    view_.execute(Command::TestMode);
    view_.execute(Command::TestMode);
    view_.selectTab(4);
    view_.execute(Command::TestMode);  // tab 4's page is not told
    EXPECT_TRUE(view_.checked(Command::TestMode));
    EXPECT_FALSE(view_.selectTab(2));
    EXPECT_TRUE(view_.selectTab(4));  // staying put is no change
    EXPECT_EQ(view_.selectedTab(), 4);
    ASSERT_EQ(ui_.messages(),
              (std::vector<std::string>{"You have entered the Test Mode for KVR radios",
                                        "You have left the Test Mode for KVR radios",
                                        "Cannot change tabs while in Test Mode."}));
    EXPECT_EQ(ui_.events()[2].kind, "beep");
    view_.execute(Command::TestMode);
    EXPECT_FALSE(view_.checked(Command::TestMode));
    ASSERT_TRUE(view_.selectTab(2));
    view_.execute(Command::TestMode);
    EXPECT_EQ(log_,
              (std::vector<std::string>{"1 SetTestMode 1", "1 SetTestMode 0", "2 SetTestMode 1"}));
}

}  // namespace
}  // namespace tw
