#include <gtest/gtest.h>

#include "fake_controls.h"
#include "plugin/validation/validate_field.h"
#include "ui/scripted_ui.h"

namespace tw::test {
namespace {

CPersonality withToneSets(std::array<CT61, 3> sets) {
    CPersonality p('C', "T61");
    auto opts = std::make_unique<CType61Opts>();
    opts->sets = sets;
    p.PutOption(std::move(opts));
    return p;
}

FakeControls page(int index, std::initializer_list<int> checked) {
    FakeControls c;
    c.lists[1829] = index;
    for (int box : {2143, 2144, 2145, 2146}) c.boxes[box] = false;
    for (int box : checked) c.boxes[box] = true;
    return c;
}

const std::string kField = "This conventional channel has a T61 Options incompatibility with T61 ";

TEST(Type61Check, FieldAndChannelChecksWithTheirOwnBoxMappings) {
    // Set 1: flag 1, t1 absent, t2 present: Individual Call fails, Quick Call passes.
    const CPersonality p = withToneSets({CT61{1, {0, 100, 0, 0}}, CT61{}, CT61{}});
    struct Row {
        int index;
        std::initializer_list<int> boxes;
        int field;
        std::string message;
        int channel;
    };
    const Row rows[] = {
        {0, {2145}, 0, "", 1},   // no tone set
        {-1, {2145}, 0, "", 1},  // no selection at all counts as none
        {1, {}, 1, "", 0},       // a set but no box
        {1, {2145}, 2, kField + "Individual Call", 1},
        {1, {2146}, 1, "", 2},
        {1, {2143}, 2, kField + "Super Group", 2},
        {1, {2144}, 2, kField + "Group", 2},  // flag set: t3 absent
    };
    for (const auto& r : rows) {
        FakeControls c = page(r.index, r.boxes);
        ScriptedUi ui;
        EXPECT_EQ(ValidateField(205, 1829, c, p, ui), r.field) << r.index;
        EXPECT_EQ(ui.messages(), r.message.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{r.message});
        EXPECT_TRUE(c.focused.empty());
        EXPECT_EQ(ValidateConvChannel(p, c), r.channel) << r.index;
    }
}

TEST(Type61Check, GroupRuleOfTheFirstSetWithFlagZeroAndTonesOneAndFourAbsent) {
    const CPersonality p = withToneSets({CT61{0, {0, 50, 60, 0}}, CT61{}, CT61{}});
    FakeControls c = page(1, {2144});
    ScriptedUi ui;
    EXPECT_EQ(ValidateField(205, 2144, c, p, ui), 2);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{kField + "Group"});
}

TEST(Type61Check, WithoutTheOptionEveryRuleFailsAndTheFlagCountsAsSetForTheBoxes) {
    const CPersonality none('C', "none");
    FakeControls c = page(2, {2146});
    ScriptedUi ui;
    EXPECT_EQ(ValidateField(205, 2146, c, none, ui), 2);
    FakeControls opened = page(0, {});
    EXPECT_EQ(InitControl(205, 2143, opened, none, ui), 0);
    EXPECT_EQ(opened.enabled, (std::map<int, bool>{{2143, false}, {2145, true}}));
}

TEST(Type61Check, PageOpeningMessagesDifferPerToneSet) {
    const std::string t = "This conventional channel has a T61 options incompatibility with T61 ";
    // Every set with flag 1 and only t1 present: Super Group fails by the flag, Group by a
    // tone, Individual Call and Quick Call by t2.
    const CT61 flagged{1, {10, 0, 0, 0}};
    const CT61 plain{0, {0, 0, 0, 0}};
    struct Row {
        int index;
        CT61 set;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {1, flagged, {t + "Super group", t + " group", t + " Individual Call", t + " Quick Call"}},
        {2,
         flagged,
         {t + " Super Group", t + " Group", t + " Individual Call ", t + " Quick Call "}},
        {3,
         flagged,
         {t + "Super Group ", t + " Group ", t + "Individual Call ", t + "Quick Call "}},
        {5, plain, {t + " Super Group ", t + "Group ", t + "Individual Call ", t + "Quick Call "}},
    };
    for (const auto& r : rows) {
        const CPersonality p = withToneSets({r.set, r.set, r.set});
        FakeControls c = page(r.index, {2143, 2144, 2145, 2146});
        ScriptedUi ui;
        InitControl(205, 2143, c, p, ui);
        EXPECT_EQ(ui.messages(), r.messages) << r.index;
        EXPECT_TRUE(c.enabled.empty());
    }
}

TEST(Type61Check, PageOpeningWithoutProblemsSetsTheBoxesFromTheSelectedFlag) {
    const CPersonality p = withToneSets({CT61{1, {}}, CT61{0, {}}, CT61{}});
    const std::map<int, bool> flagged{{2143, true}, {2145, false}},
        plain{{2143, false}, {2145, true}};
    for (auto [index, enabled] : {std::pair{2, flagged}, {1, plain}, {0, plain}, {-1, {}}}) {
        FakeControls c = page(index, {});
        ScriptedUi ui;
        InitControl(205, 2143, c, p, ui);
        EXPECT_EQ(c.enabled, enabled) << index;
    }
}

TEST(InitControlLists, DropsTheListItemsTheRadiosDoNotOffer) {
    FakeControls c;
    ScriptedUi ui;
    for (auto [dialog, control] :
         {std::pair{194, 1079}, {194, 1901}, {203, 1170}, {194, 1080}, {206, 1170}})
        InitControl(dialog, control, c, CPersonality(), ui);
    EXPECT_EQ(c.deleted, (std::vector<std::pair<int, int>>{{1079, 1}, {1901, 1}, {1170, 2}}));
}

}  // namespace
}  // namespace tw::test
