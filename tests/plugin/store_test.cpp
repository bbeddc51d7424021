#include <gtest/gtest.h>

#include "plugin/store/personality.h"

namespace tw {
namespace {

TEST(PersonalityStore, OptionsAreFoundByClassTagAndOwnedByTheStore) {
    CPersonality p('C', "Fleet");
    EXPECT_EQ(p.GetOption<CDTMFOpts>(), nullptr);
    auto* dtmf = new CDTMFOpts;
    p.PutOption(dtmf);
    EXPECT_EQ(p.GetOption(CDTMFOpts::kClassTag), dtmf);
    p.PutOption(p.GetOption<CDTMFOpts>());  // putting back what was returned keeps it
    EXPECT_EQ(p.GetOption<CDTMFOpts>(), dtmf);
    auto other = std::make_unique<CDTMFOpts>();
    other->fractions[0] = 0.5;
    p.PutOption(std::move(other));  // a second object of the class replaces the first
    EXPECT_EQ(p.Options().size(), 1u);
    EXPECT_EQ(p.GetOption<CDTMFOpts>()->fractions[0], 0.5);
}

TEST(PersonalityStore, SetsOfAnotherKindAreNotTakenAndLookupsOutsideTheListsFindNothing) {
    CPersonality p('C', "Fleet");
    for (const char* name : {"CNVSET01", "CNVSET02"}) {
        auto set = std::make_unique<CConvSet>();
        set->SetName(name);
        set->Add(CConvChannel{});
        p.AddSet(std::move(set), kConvSetType);
    }
    p.AddSet(std::make_unique<CGroupSet>(), kConvSetType);
    p.AddSystem(std::make_unique<CConvSystem>("SYSTEM01"));
    EXPECT_EQ(p.GetSetCount(kConvSetType), 2);
    EXPECT_EQ(p.GetNumConvChans(), 2);
    EXPECT_EQ(p.FindSetIndex("CNVSET02", kConvSetType), 1);
    EXPECT_EQ(p.FindSetIndex("CNVSET02", kTrunkSetType), -1);
    EXPECT_EQ(p.GetSetAt(2, kConvSetType), nullptr);
    EXPECT_EQ(p.GetSetAt(-1, kConvSetType), nullptr);
    EXPECT_EQ(p.FindSystemIndex("SYSTEM01"), 0);
    EXPECT_EQ(p.FindSystemIndex("SYSTEM02"), -1);
    EXPECT_EQ(p.GetSystemAt(1), nullptr);
    EXPECT_EQ(p.SetAt<CConvSet>(0)->GetChannelAt(1), nullptr);
}

TEST(PersonalityStore, CopiesAreDeepAndDifferencesAreNamedAtTheFirstField) {
    CPersonality a('C', "Fleet");
    auto set = std::make_unique<CGroupSet>();
    set->SetName("GRPSET01");
    set->Add(CGroup("North", kGroupSetType));
    a.AddSet(std::move(set), kGroupSetType);
    a.PutOption(std::make_unique<CNavlocOpts>());
    CPersonality b = a;
    EXPECT_EQ(firstDifference(a, b), "");
    b.SetAt<CGroupSet>(0)->GetGroupAt(0)->id = 7;
    EXPECT_EQ(a.SetAt<CGroupSet>(0)->GetGroupAt(0)->id, 0);
    EXPECT_EQ(firstDifference(a, b), "groupSet0.group0.id: 0  <>  groupSet0.group0.id: 7");
    b = a;
    b.RemoveOption(CNavlocOpts::kClassTag);
    EXPECT_EQ(firstDifference(a, b), "CNavlocOpts.1197: 0.000000  <>  (nothing)");
}

}  // namespace
}  // namespace tw
