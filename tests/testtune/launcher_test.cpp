#include "testtune/launcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hdt_fixture.h"

namespace tw::testtune {
namespace {

using Messages = std::vector<std::string>;

TEST(PickTestTest, EachButtonPicksItsSheet) {
    struct Case {
        const char* button;
        bool closes;
        std::optional<TestSheetChoice> choice;
    };
    const Case cases[] = {{"I/O Tests", true, TestSheetChoice::Io},
                          {"103", true, TestSheetChoice::StandardRf},
                          {"Frontcap RF", true, TestSheetChoice::Frontcap},
                          {"Cancel", true, std::nullopt},
                          {"105", false, std::nullopt}};
    for (const auto& c : cases) {
        CPickTestDlg picker;
        bool accepted = false;
        EXPECT_EQ(picker.press(c.button, accepted), c.closes) << c.button;
        EXPECT_EQ(accepted, c.choice.has_value()) << c.button;
        EXPECT_EQ(picker.choice(), c.choice) << c.button;
    }
}

class LauncherTest : public HdtTest {
  protected:
    AlignmentBench bench_{*env_};
};

TEST_F(LauncherTest, EachChoiceOpensItsSheetConnected) {
    struct Case {
        TestSheetChoice choice;
        const char* title;
    };
    for (const Case c : {Case{TestSheetChoice::Io, "Facet Test & Tune"},
                         Case{TestSheetChoice::StandardRf, "Standard Tests"},
                         Case{TestSheetChoice::Frontcap, "Frontcap Tests"}}) {
        CTestSheet* sheet = bench_.launch(c.choice);
        ASSERT_NE(sheet, nullptr) << c.title;
        EXPECT_EQ(sheet->title(), c.title);
        EXPECT_TRUE(sheet->wizardMode());
        EXPECT_TRUE(sheet->link().port().isOpen());
        EXPECT_EQ(bench_.report().battery, 200);
    }
    EXPECT_TRUE(ui_.messages().empty());
    bench_.closeSheet();
    EXPECT_EQ(serial_->isOpen(1) || serial_->isOpen(2) || serial_->isOpen(3), false);
}

TEST_F(LauncherTest, TheBatteryMustReach195) {
    struct Case {
        const char* battery;
        bool opens;
    };
    for (const Case c : {Case{"195", true}, Case{"194", false}, Case{"000", false}}) {
        ui_.clear();
        radio({{"battery", c.battery}});
        AlignmentBench bench(*env_);
        EXPECT_EQ(bench.launch(TestSheetChoice::StandardRf) != nullptr, c.opens) << c.battery;
        EXPECT_EQ(ui_.messages(), c.opens ? Messages{} : Messages{kBatteryTooLow}) << c.battery;
    }
}

TEST_F(LauncherTest, AFailedConnectLeavesNoSheetAndNoPort) {
    radio({{"noprompt", "2"}});
    AlignmentBench bench(*env_);
    EXPECT_EQ(bench.launch(TestSheetChoice::Io), nullptr);
    EXPECT_EQ(ui_.messages(), (Messages{CHdtLink::kPowerOn, kCouldNotInitialize}));
    EXPECT_FALSE(serial_->isOpen(1));
}

TEST_F(LauncherTest, ConnectionLostAtLaunchOpensNothing) {
    AlignmentBench bench(*env_);
    pullCableAfter(56);  // probe, three reads, test mode and "cmd 1": then the line dies
    EXPECT_EQ(bench.launch(TestSheetChoice::Frontcap), nullptr);
    EXPECT_EQ(ui_.messages(), (Messages{CHdtLink::kLinkLost, kBatteryTooLow}));
    EXPECT_EQ(bench.report().battery, -2);
    EXPECT_FALSE(bench.report().opened);
}

TEST_F(LauncherTest, ConnectionLostInASheetClosesTheTestDialogThenTheSheet) {
    CTestSheet* sheet = bench_.launch(TestSheetChoice::Io);
    ASSERT_NE(sheet, nullptr);
    std::vector<std::string> closed;
    struct FakeDialog : CTestDialog {
        explicit FakeDialog(std::vector<std::string>& log) : log_(log) {}
        const std::string& title() const override { return title_; }
        const Controls& controls() const override { return controls_; }
        bool press(int) override { return false; }
        void apply() override {}
        void Close() override { log_.push_back("test dialog"); }
        bool closed() const override { return false; }
        std::vector<std::string>& log_;
        std::string title_;
        Controls controls_;
    } dialog(closed);
    sheet->setTestDialog(&dialog);
    sheet->setCloseListener([&] { closed.push_back("sheet"); });
    pullCableAfter();
    EXPECT_FALSE(sheet->link().send("cmd 27\r"));
    sheet->link().ConnectionLost();
    EXPECT_EQ(closed, (std::vector<std::string>{"test dialog", "sheet"}));
    EXPECT_EQ(ui_.messages(), Messages{CHdtLink::kLinkLost});
    EXPECT_EQ(bench_.sheet(), nullptr);
    EXPECT_FALSE(sheet->link().port().isOpen());
}

TEST_F(LauncherTest, TheButtonRunsPickerThenSheet) {
    ui_.dialogScripts.push_back({{}, "Standard RF"});
    ui_.dialogScripts.push_back({{}, "Cancel"});
    EXPECT_TRUE(runGveAlignment(*env_));
    std::vector<std::string> dialogs;
    for (const auto& e : ui_.events())
        if (e.kind == "dialog") dialogs.push_back(e.text);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"PickTest", "TestSheet"}));
    EXPECT_FALSE(serial_->isOpen(1));

    ui_.clear();
    ui_.dialogScripts.push_back({{}, "Cancel"});
    EXPECT_FALSE(runGveAlignment(*env_));
    EXPECT_EQ(factory_->opens(), 1);  // Cancel opens nothing
}

TEST_F(LauncherTest, TheAlignmentStepAnswersThePickerAndKeepsTheSheetOpen) {
    const PageAction step = alignmentAction(bench_);
    EXPECT_TRUE(step.serviceOnly);
    for (const auto& [word, button] : std::vector<std::pair<std::string, std::string>>{
             {"io", "102"}, {"rf", "103"}, {"frontcap", "104"}, {"cancel", "Cancel"}})
        EXPECT_EQ(step.dialogScript({word}).button, button);

    ui_.dialogScripts.push_back(step.dialogScript({"rf"}));
    EXPECT_TRUE(step.run({"rf"}));
    ASSERT_NE(bench_.sheet(), nullptr);
    EXPECT_EQ(bench_.sheet()->title(), "Standard Tests");

    ui_.dialogScripts.push_back(step.dialogScript({"cancel"}));
    EXPECT_TRUE(step.run({"cancel"}));
    EXPECT_EQ(bench_.sheet(), nullptr);

    ui_.dialogScripts.push_back(step.dialogScript({"bogus"}));
    EXPECT_FALSE(step.run({"bogus"}));
}

}  // namespace
}  // namespace tw::testtune
