#include "view/main_view.h"

namespace tw {

const std::vector<TabInfo>& tabInfos() {
    static const std::vector<TabInfo> tabs = {
        {"kvr", "KVR/ORBIT FTX", 1054},
        {"hln", "TRV/TRW/HLN/OKT/NOVAC 30P/RWS KVR", 1073},
        {"blt", "BLT/GVE/Lyra/NOVAC 60M/Ocelot/R210/R310/V310", 2002},
        {"wla", "WLA", 1006},
        {"wlb", "WLB", 2040},
        {"marten60p", "MARTEN 60P", 0},
        {"marten30", "MARTEN 30", 2005},
    };
    return tabs;
}

int tabOfFamily(const std::string& family) {
    const auto& tabs = tabInfos();
    for (std::size_t i = 0; i < tabs.size(); ++i)
        if (family == tabs[i].family) return static_cast<int>(i);
    return -1;
}

MainView::MainView(Env& env, std::vector<std::unique_ptr<FamilyPage>> pages)
    : env_(env), pages_(std::move(pages)) {}

bool MainView::selectTab(int tab) {
    if (tab < 0 || tab >= static_cast<int>(pages_.size())) return false;
    if (tab == selected_) return true;
    if (testMode_) {
        env_.ui.beep();
        env_.ui.message(kTabLockedMessage);
        return false;
    }
    selected_ = tab;
    return true;
}

bool MainView::toggleTestMode() {
    testMode_ = testMode_ ? 0 : 1;
    switch (routeFor(Command::TestMode, selected_)) {
        case Route::KvrTestNotice:
            env_.ui.message(testMode_ ? "You have entered the Test Mode for KVR radios"
                                      : "You have left the Test Mode for KVR radios");
            return true;
        case Route::SetTestMode:
            return selectedPage().SetTestMode(testMode_);
        default:
            return true;
    }
}

bool MainView::execute(Command command) {
    return execute(command, selected_);
}

bool MainView::execute(Command command, int tab) {
    if (command == Command::TestMode) return toggleTestMode();
    FamilyPage& p = page(tab);
    using E = SourceEffect;
    using D = DataSet;
    switch (routeFor(command, tab)) {
        case Route::Nothing:
            return true;
        case Route::NoFeaturesMessage:
            env_.ui.message(kNoFeaturesMessage);
            return true;
        case Route::KvrTestNotice:
            return true;
        case Route::GetStatus:
            return p.tracked(E::RadioRead, D::Both, "Get Status", [&p] { return p.GetStatus(); });
        case Route::ReadTrackingFromRadio:
            return p.tracked(E::RadioRead, D::Tracking, "Tracking data read",
                             [&p] { return p.ReadTrackingFromRadio(); });
        case Route::ReadTrackingFromDisk:
            return p.tracked(E::FileLoad, D::Tracking, "Tracking data load",
                             [&p] { return p.ReadTrackingFromDisk(); });
        case Route::WriteTrackingToRadio:
            return p.tracked(E::RadioWrite, D::Tracking, "Tracking data write",
                             [&p] { return p.WriteTrackingToRadio(); });
        case Route::WriteTrackingToDisk:
            return p.tracked(E::FileSave, D::Tracking, "Tracking data save",
                             [&p] { return p.WriteTrackingToDisk(); });
        case Route::ReadFeaturesFromRadio:
            return p.tracked(E::RadioRead, D::Features, "Feature data read",
                             [&p] { return p.ReadFeaturesFromRadio(); });
        case Route::ReadFeaturesFromDisk:
            return p.tracked(E::FileLoad, D::Features, "Feature data load",
                             [&p] { return p.ReadFeaturesFromDisk(); });
        case Route::WriteFeaturesToRadio:
            return p.tracked(E::RadioWrite, D::Features, "Feature data write",
                             [&p] { return p.WriteFeaturesToRadio(); });
        case Route::WriteFeaturesToDisk:
            return p.tracked(E::FileSave, D::Features, "Feature data save",
                             [&p] { return p.WriteFeaturesToDisk(); });
        case Route::SetTestMode:
            return p.SetTestMode(testMode_);
    }
    return true;
}

}  // namespace tw
