// The BLT page's radio operations against a simulated radio that records every call.
#include <gtest/gtest.h>

#include <algorithm>

#include "blt/blt_fixture.h"
#include "families/blt/blt_dialogs.h"
#include "families/blt/blt_messages.h"
#include "families/blt/radio_types.h"
#include "history/read_history.h"

namespace tw::blt::test {
namespace {

namespace m = messages;

struct ConnectCase {
    const char* name;
    sim::ModelOptions options;
    bool holdData;  // tracking and feature data held from an earlier read
    Texts messages;
    const char* calls;
    bool ok;
};

// Only a ready radio whose status read succeeds connects: an open without a read never
// passes for a read, whatever is held. Every way out puts the user's saved port back, and the
// library opened the technician's current port.
TEST(BltConnect, OutcomesOfOpenAndStatusRead) {
    const ConnectCase cases[] = {
        {"ready", sim::ModelOptions(), false, told(m::kReadTrackingComplete),
         "open 16 serial-close", true},
        {"port fails", option("open", "-1"), false, told(m::kPortInUse, m::kNotInProgramMode),
         "open close", false},
        {"port fails, data held", option("open", "-1"), true,
         told(m::kPortInUse, m::kNotInProgramMode), "open close", false},
        {"not ready", option("open", "0"), false, told(m::kNotInProgramMode), "open close", false},
        {"other answer, data held", option("open", "2"), true, told(m::kNotInProgramMode),
         "open close", false},
        {"status read fails", option("fail", "16"), false, told(m::kNotInProgramMode),
         "open 16 close", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.options);
        if (c.holdData) {
            b.held().trackingVersion = 2;
            b.held().trackingFormat = 100;
            b.held().featureWords[3] = 26;
        }
        const RadioData before = b.held();
        EXPECT_EQ(b.page->ReadTrackingFromRadio(), c.ok);
        EXPECT_EQ(b.ui.messages(), c.messages);
        EXPECT_EQ(b.radio().calls, calls(c.calls));
        EXPECT_EQ(b.ui.busyDepth(), 0);
        EXPECT_EQ(b.radio().openedPorts, std::vector<int>{3});
        EXPECT_EQ(b.savedPort(), 1);
        if (!c.ok) {
            EXPECT_EQ(b.held().trackingVersion, before.trackingVersion);
        }
    }
}

TEST(BltPage, RadioInformationShowsStatusDialogThenRefreshes) {
    Bench b({{"type", "Z"}, {"memory", "8"}});
    ASSERT_TRUE(b.page->GetStatus());
    EXPECT_EQ(b.radio().calls, (Calls{"open", "16", "serial-close"}));
    ASSERT_EQ(b.ui.events().size(), 3u);  // busy, unbusy, the status dialog
    EXPECT_EQ(b.ui.events()[2].text, "BltRadioStatus");
    EXPECT_EQ(b.page->controls().text(CMaintenanceDlg::kRadioType), "NOVAC-60M");
    EXPECT_EQ(b.held().statusFresh, 0);
}

// Refresh sets enable states both ways: a radio read after a 'Z' radio gets Jump back.
TEST(BltPage, RefreshFollowsTheRadioRead) {
    struct Case {
        sim::ModelOptions options;
        const char* type;
        const char* memory;
        bool upgrade, jump;
    };
    const Case cases[] = {
        {{{"type", "Z"}, {"memory", "8"}, {"version", "4"}}, "NOVAC-60M", "1024 K", false, false},
        {{{"type", "P"}, {"memory", "8"}, {"version", "1"}}, "Lyra", "512 K", true, true},
        {{{"type", "Z"}, {"memory", "4"}, {"version", "2"}}, "NOVAC-60M", "256 K", true, false},
        {{{"type", "A"}, {"memory", "0"}, {"version", "3"}}, " ", "", false, true},
    };
    Bench b;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::string why;
        ASSERT_TRUE(sim::configureBltRadio(c.options, b.radio(), why));
        ASSERT_TRUE(b.page->ReadFeaturesFromRadio());
        const auto& ctl = b.page->controls();
        EXPECT_EQ(ctl.text(CMaintenanceDlg::kRadioType), c.type);
        EXPECT_EQ(ctl.text(CMaintenanceDlg::kMemory), c.memory);
        EXPECT_EQ(ctl.enabled(CMaintenanceDlg::kVersionUpgradeButton), c.upgrade);
        EXPECT_EQ(ctl.enabled(CMaintenanceDlg::kJumpButton), c.jump);
    }
}

// The buttons' first enable states are the page widget's tests.
TEST(BltPage, GveAlignmentOnlyInServiceModeAndOnlyWithALauncher) {
    Bench b;
    bool launched = false;
    b.page->setGveAlignmentHandler([&] { return launched = true; });
    EXPECT_FALSE(b.page->GveAlignment());
    EXPECT_FALSE(launched);

    b.app.serviceMode = true;
    CMaintenanceDlg service(b.env);
    EXPECT_FALSE(service.GveAlignment());  // no launcher wired: nothing happens
    service.setGveAlignmentHandler([&] { return launched = true; });
    EXPECT_TRUE(service.GveAlignment());
    EXPECT_TRUE(launched);
}

TEST(BltPage, ATransmitterLeftKeyedIsToldAndStandsUntilASheetLeavesItOff) {
    using testtune::TransmitterAfterSheet;
    Bench b;
    const std::string warning = testtune::kTransmitterMayStillBeOn;
    const struct {
        TransmitterAfterSheet after;
        const char* standing;
        Texts told;
    } steps[] = {
        {TransmitterAfterSheet::Untold, "", {}},
        {TransmitterAfterSheet::MayBeOn, warning.c_str(), {warning}},
        // A sheet that cannot say (it never reached the radio) leaves the warning standing.
        {TransmitterAfterSheet::Untold, warning.c_str(), {}},
        {TransmitterAfterSheet::Off, "", {}},
    };
    for (const auto& s : steps) {
        b.ui.clear();
        b.page->sheetEnded(s.after);
        EXPECT_EQ(b.page->transmitterWarning(), s.standing);
        EXPECT_EQ(b.ui.messages(), s.told);
    }
}

// Held data from files and editors: what a write does not send survives the write's status
// read, and what it sends reaches the radio.
TEST(BltWrite, EachWriteSendsItsHeldDataAndKeepsTheOther) {
    Bench b({{"version", "3"}, {"hwlevel", "4"}});
    ASSERT_TRUE(b.page->ReadTrackingFromRadio());
    ASSERT_TRUE(b.page->ReadFeaturesFromRadio());
    b.held().trackingArrays[40] = 1234;
    b.held().featureBlock[12] = 0x77;
    const RadioData edited = b.held();
    b.clear();
    const auto copiesBefore = keptRadioReads(b.app, "blt").size();
    ASSERT_TRUE(b.page->WriteTrackingToRadio());
    ASSERT_TRUE(b.page->WriteFeaturesToRadio());
    EXPECT_EQ(b.radio().calls, calls("open 16 hw 6 serial-close open 16 11 serial-close"));
    EXPECT_EQ(b.ui.messages(), told(m::kWriteTrackingComplete, m::kWriteFeaturesComplete));
    EXPECT_EQ(b.radio().tracking[40], 1234u);
    EXPECT_EQ(b.radio().features[12], 0x77);
    EXPECT_EQ(b.held().featureBlock, edited.featureBlock);
    EXPECT_EQ(b.held().trackingArrays, edited.trackingArrays);

    // Each write's status read is its copy of what the radio held, marked as such; it is no
    // read of its own. Loaded back, it is the radio's data, not the page's.
    std::vector<std::string> copies;
    for (const auto& k : keptRadioReads(b.app, "blt")) copies.push_back(k.path);
    ASSERT_EQ(copies.size(), copiesBefore + 2);
    const auto marked = std::count_if(copies.begin(), copies.end(), [](const std::string& p) {
        return p.find("-before-write.") != std::string::npos;
    });
    EXPECT_GE(marked, 2);
    const auto trk = std::find_if(copies.rbegin(), copies.rend(), [](const std::string& p) {
        return p.find("-before-write.Trk") != std::string::npos;
    });
    ASSERT_NE(trk, copies.rend());
    Bench loaded;
    loaded.ui.files = {*trk};
    ASSERT_TRUE(loaded.page->ReadTrackingFromDisk());
    EXPECT_NE(loaded.held().trackingArrays[40], 1234u);
    EXPECT_EQ(loaded.held().trackingArrays[41], edited.trackingArrays[41]);
}

struct RefusalCase {
    const char* name;
    sim::ModelOptions options;
    int heldVersion, heldFormat;
    Texts messages;
    const char* calls;
};

// Hardware refusals, a failed write and a failed connect: nothing reaches the radio that it
// cannot take, the port is let go and the held data stays as the technician had it.
TEST(BltWrite, RefusalsAndFailuresKeepHeldData) {
    const RefusalCase cases[] = {
        {"level 3, version-7 data", option("hwlevel", "3"), 3, 0, told(m::kHardwareBelowLevel4),
         "open 16 hw serial-close"},
        {"BLT II, three power rows", option("type", "E"), 2, 100, told(m::kNoThreePowerRows),
         "open 16 hw serial-close"},
        {"radio refuses", option("fail", "6"), 2, 0, told(m::kWriteTrackingFailed),
         "open 16 hw 6 serial-close"},
        {"no connection", option("open", "0"), 2, 0, told(m::kNotInProgramMode), "open close"},
        {"nothing held", sim::ModelOptions(), 0, 0, told(m::kNoTrackingData), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b(c.options);
        b.held().trackingVersion = c.heldVersion;
        b.held().trackingFormat = c.heldFormat;
        b.held().trackingArrays[7] = 4321;
        b.held().featureWords[3] = 26;
        b.held().featureBlock[20] = 0x5A;
        const auto radioTracking = b.radio().tracking;
        EXPECT_FALSE(b.page->WriteTrackingToRadio());
        EXPECT_EQ(b.ui.messages(), c.messages);
        EXPECT_EQ(b.radio().calls, calls(c.calls));
        EXPECT_EQ(b.radio().tracking, radioTracking);
        EXPECT_EQ(b.held().trackingVersion, c.heldVersion);
        EXPECT_EQ(b.held().trackingArrays[7], 4321u);
        EXPECT_EQ(b.held().featureBlock[20], 0x5A);
    }
}

TEST(BltWrite, FeatureWriteFailureAndNothingHeld) {
    Bench failing(sim::ModelOptions{{"fail", "11"}});
    failing.held().featureWords[3] = 26;
    EXPECT_FALSE(failing.page->WriteFeaturesToRadio());
    EXPECT_EQ(failing.ui.messages(), Texts{m::kWriteFeaturesFailed});
    EXPECT_EQ(failing.radio().calls, calls("open 16 11 serial-close"));

    Bench empty;
    EXPECT_FALSE(empty.page->WriteFeaturesToRadio());
    EXPECT_EQ(empty.ui.messages(), Texts{m::kNoFeatureDataToWrite});
    EXPECT_TRUE(empty.radio().calls.empty());
}

TEST(BltEdit, BlankFeatureRecordFromTheTwoQuestions) {
    struct Case {
        std::deque<bool> answers;
        bool created;
        int byte5;
    };
    const Case cases[] = {
        {{true, true}, true, 26}, {{true, false}, true, 174}, {{false}, false, 0}};
    for (const auto& c : cases) {
        Bench b;
        b.ui.answers = c.answers;
        b.ui.dialogScripts.push_back({{}, "OK"});
        EXPECT_EQ(b.page->FeatureDataEdit(), c.created);
        ASSERT_EQ(b.held().featureLength(), c.created ? 26u : 0u);
        if (!c.created) continue;
        const auto& f = b.held().featureBlock;
        EXPECT_EQ(std::vector<int>(f.begin(), f.begin() + 26),
                  (std::vector<int>{0, 0, 255, 255, 0, c.byte5, 4, 20, 0, 0, 1, 0, 0,
                                    0, 0, 0,   0,   0, 0,       0, 0,  0, 0, 0, 0, 0}));
        EXPECT_EQ(b.ui.messages(), (Texts{m::kNoFeatureData, m::kFeatureFamilyQuestion}));
    }
}

TEST(BltEdit, EditorsChangeHeldDataOnlyOnOkAndWithinRange) {
    Bench b;
    EXPECT_FALSE(b.page->TrackingDataEdit());
    EXPECT_EQ(b.ui.messages(), Texts{m::kNoTrackingData});
    ASSERT_TRUE(b.page->ReadTrackingFromRadio());  // version 4
    const int squelch = kFirstFieldId + static_cast<int>(arrayStart(1));
    const int startTx = kFirstFieldId;
    b.ui.dialogScripts.push_back({{{std::to_string(squelch), "65535"}}, "OK"});
    EXPECT_TRUE(b.page->TrackingDataEdit());
    EXPECT_EQ(b.held().trackingArrays[arrayStart(1)], 65535u);
    // Words are 16 bits wide, frequencies 32; a refused value leaves the dialog open.
    TrackingEditDialog dialog(b.held());
    EXPECT_FALSE(dialog.set(std::to_string(squelch), "65536"));
    EXPECT_TRUE(dialog.set(std::to_string(startTx), "4000000000"));
    EXPECT_FALSE(dialog.set("1", "5"));
    b.ui.dialogScripts.push_back({{{std::to_string(squelch), "7"}}, "Cancel"});
    EXPECT_FALSE(b.page->TrackingDataEdit());
    EXPECT_EQ(b.held().trackingArrays[arrayStart(1)], 65535u);

    b.ui.dialogScripts.push_back({{{"12", "a5"}}, "OK"});
    EXPECT_TRUE(b.page->FeatureDataEdit());
    EXPECT_EQ(b.held().featureBlock[12], 0xA5);
    FeatureEditDialog features(b.held());
    EXPECT_FALSE(features.set("26", "01"));  // past the feature length
    EXPECT_FALSE(features.set("3", "1G"));
}

TEST(BltEdit, VersionUpgradeOnlyFromVersionOneOrTwo) {
    Bench b(sim::ModelOptions{{"version", "1"}});
    ASSERT_TRUE(b.page->ReadTrackingFromRadio());
    const auto wideSquelch = b.held().word(1, 2);
    b.clear();
    b.ui.answers = {true};
    EXPECT_TRUE(b.page->VersionUpgrade());
    EXPECT_EQ(b.ui.messages(), (Texts{m::kUpgradeQuestion, m::kUpgradeComplete}));
    EXPECT_EQ(b.held().trackingVersion, kVersionSeven);
    EXPECT_EQ(b.held().word(1, 17), wideSquelch);  // narrow band starts as wide
    EXPECT_FALSE(b.page->controls().enabled(CMaintenanceDlg::kVersionUpgradeButton));
    b.clear();
    b.ui.answers = {true};
    EXPECT_FALSE(b.page->VersionUpgrade());
    EXPECT_EQ(b.ui.messages(), (Texts{m::kUpgradeQuestion, m::kUpgradeFailed}));
    EXPECT_TRUE(b.radio().calls.empty());
}

TEST(BltPage, TestZoneMessages) {
    Bench b;
    b.page->SetTestMode(1);
    b.page->SetTestMode(0);
    EXPECT_EQ(b.ui.messages(), (Texts{m::kEnteredTestZone, m::kLeftTestZone}));
}

// Without a connection library nothing opens, the reason is a detail, and held data still
// goes to and from files.
TEST(BltPage, NoBackendStillWorksOnFiles) {
    Bench b;
    b.page->setBackendFactory(noRadioBackend());
    EXPECT_FALSE(b.page->ReadTrackingFromRadio());
    EXPECT_EQ(b.ui.messages(), (Texts{m::kPortInUse, m::kNotInProgramMode}));
    bool detail = false;
    for (const auto& e : b.ui.events()) detail = detail || e.kind == "detail";
    EXPECT_TRUE(detail);
    EXPECT_EQ(b.savedPort(), 1);
}

}  // namespace
}  // namespace tw::blt::test
