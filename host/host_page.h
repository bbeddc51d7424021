#pragma once

#include <map>
#include <string>
#include <vector>

#include "tunewright_plugin.h"

namespace tw::host {

// A page of controls given on the command line: ID=TEXT, ID=on|off, ID=#INDEX,
// ID=items:A|B. What the plug-in does to them (enable, focus, delete an item) is noted.
class HostPage {
  public:
    // False and `why` for a word that is no control.
    bool add(const std::string& word, std::string& why);
    TwControlList* list();
    std::vector<std::string> changes() const { return changes_; }

  private:
    struct Control {
        HostPage* page = nullptr;
        int id = 0;
        std::string text;
        int checked = 0;
        int selected = -1;
        std::vector<std::string> items;
        TwControl c{};
    };
    std::map<int, Control> controls_;
    std::vector<TwControl*> pointers_;
    TwControlList list_{};
    std::vector<std::string> changes_;
};

}  // namespace tw::host
