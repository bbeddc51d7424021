#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "families/blt/blt_page.h"
#include "families/registry.h"
#include "sim/loopback_model.h"
#include "sim/sim_device.h"
#include "testtune/launcher.h"
#include "ui/scripted_ui.h"
#include "view/main_view.h"

namespace tw {
namespace {

class PageActionsTest : public ::testing::Test {
  protected:
    VirtualClock clock_;
    ScriptedUi ui_;
    Profile profile_{
        (std::filesystem::temp_directory_path() / "tw_actions_test_none.ini").string()};
    sim::SimDeviceFactory factory_{std::make_unique<sim::LoopbackModel>(sim::ModelOptions{}),
                                   clock_};
    SerialLink link_{profile_, factory_, clock_, ui_};
    AppState app_;
    Env env_{ui_, clock_, profile_, link_, app_};
};

// The window builds each page's buttons from the page's list: a button must be a control of
// the page (its caption and enable state live there), in a cell of its own, and a step name
// may stand only once on a page.
TEST_F(PageActionsTest, ButtonsAreControlsOfTheirPageInCellsOfTheirOwn) {
    testtune::AlignmentBench bench(env_);
    auto pages = createFamilyPages(env_);
    dynamic_cast<blt::CMaintenanceDlg&>(*pages[2]).setAlignmentBench(&bench);
    int buttons = 0;
    for (std::size_t t = 0; t < pages.size(); ++t) {
        std::set<std::string> steps;
        std::set<int> ids;
        std::set<std::pair<int, int>> cells;
        for (const auto& a : pages[t]->actions()) {
            EXPECT_TRUE(steps.insert(a.step).second) << tabInfos()[t].family << " " << a.step;
            ASSERT_TRUE(a.run) << a.step;
            if (!a.button) continue;
            ++buttons;
            EXPECT_TRUE(pages[t]->controls().has(a.button)) << a.step;
            EXPECT_FALSE(pages[t]->controls().text(a.button).empty()) << a.step;
            EXPECT_TRUE(ids.insert(a.button).second) << a.step;
            EXPECT_TRUE(cells.insert({a.row, a.column}).second) << a.step;
        }
    }
    // KVR 1, BLT 11, WLA 2, WLB 1, MARTEN 60P 1, MARTEN 30 6.
    EXPECT_EQ(buttons, 22);
}

// A cancelled step tells the technician what the radio may now hold, by the step's work.
TEST_F(PageActionsTest, StepsThatChangeTheRadioSaySo) {
    const std::map<std::string, RadioWork> changing = {{"radio-type-write", RadioWork::Write},
                                                       {"write-image", RadioWork::Write},
                                                       {"tracking-edit", RadioWork::Write},
                                                       {"feature-edit", RadioWork::Write},
                                                       {"version-upgrade", RadioWork::Write},
                                                       {"desktop", RadioWork::Flash},
                                                       {"flash", RadioWork::Flash},
                                                       {"squelch", RadioWork::Write},
                                                       {"deviation", RadioWork::Write},
                                                       {"power", RadioWork::Write},
                                                       {"cloning", RadioWork::Write},
                                                       {"country", RadioWork::Write}};
    testtune::AlignmentBench bench(env_);
    auto pages = createFamilyPages(env_);
    dynamic_cast<blt::CMaintenanceDlg&>(*pages[2]).setAlignmentBench(&bench);
    std::size_t seen = 0;
    for (auto& page : pages)
        for (const auto& a : page->actions()) {
            const auto it = changing.find(a.step);
            EXPECT_EQ(a.work, it == changing.end() ? RadioWork::Read : it->second) << a.step;
            seen += it != changing.end();
        }
    EXPECT_EQ(seen, changing.size());
}

TEST(ControlsTest, AnIdNoPageAddedOrOneAddedTwiceFailsLoudlyOnlyWhereIdsAreStrict) {
    Controls c;
    c.add(1001, "text");
    ASSERT_TRUE(Controls::strictIds());
    EXPECT_THROW(c.setText(1002, "x"), std::logic_error);
    EXPECT_THROW((void)c.enabled(1002), std::logic_error);
    EXPECT_THROW(c.add(1001, "again"), std::logic_error);
    EXPECT_EQ(c.text(1001), "text");
    Controls::setStrictIds(false);
    EXPECT_FALSE(c.setText(1002, "x"));
    EXPECT_FALSE(c.setEnabled(1002, true));
    EXPECT_EQ(c.text(1002), "");
    EXPECT_EQ(c.add(1001, "again").text, "text");
    Controls::setStrictIds(true);
}

}  // namespace
}  // namespace tw
