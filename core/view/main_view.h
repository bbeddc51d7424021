#pragma once

#include <memory>
#include <string>
#include <vector>

#include "view/commands.h"
#include "view/env.h"
#include "view/family_page.h"

namespace tw {

struct TabInfo {
    const char* family;  // command-line name
    const char* label;   // tab label
    int firstControl;    // control that takes the focus when the tab is shown; 0 for none
};

// The seven tabs, in tab order.
const std::vector<TabInfo>& tabInfos();
// Tab index of a command-line family name, or -1.
int tabOfFamily(const std::string& family);

// The main view without widgets: the family pages, the selected tab, the test-mode lock and
// the routing of Radio commands to the selected page.
class MainView {
  public:
    MainView(Env& env, std::vector<std::unique_ptr<FamilyPage>> pages);

    int selectedTab() const { return selected_; }
    // Refused (beep and message) while test mode is on.
    bool selectTab(int tab);

    FamilyPage& page(int tab) { return *pages_.at(static_cast<std::size_t>(tab)); }
    FamilyPage& selectedPage() { return page(selected_); }

    bool testMode() const { return testMode_ != 0; }

    // Carries out a Radio command (or the test-mode toggle) on the selected tab as the
    // routing table says. False when the operation it reached failed.
    bool execute(Command command);
    // The same on the page of `tab`, selected or not (the window saves every page's edits
    // before it closes).
    bool execute(Command command, int tab);
    bool enabled(Command command) const { return commandEnabled(command, selected_); }
    bool checked(Command command) const { return command == Command::TestMode && testMode(); }

    std::vector<std::string> reportLines() { return selectedPage().ReportLines(); }

  private:
    bool toggleTestMode();

    Env& env_;
    std::vector<std::unique_ptr<FamilyPage>> pages_;
    int selected_ = 0;
    int testMode_ = 0;
};

inline constexpr const char* kTabLockedMessage = "Cannot change tabs while in Test Mode.";

}  // namespace tw
