#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "plugin/validation/page_controls.h"

namespace tw::test {

// A host page held as plain maps; every change is recorded.
class FakeControls : public PageControls {
  public:
    std::map<int, std::string> texts;
    std::map<int, bool> boxes;
    std::map<int, int> lists;
    std::map<int, bool> enabled;
    std::vector<int> focused;
    std::vector<std::pair<int, int>> deleted;

    std::optional<std::string> text(int c) const override {
        auto it = texts.find(c);
        if (it == texts.end()) return std::nullopt;
        return it->second.substr(0, kMaxText);
    }
    std::optional<bool> checked(int c) const override {
        auto it = boxes.find(c);
        return it == boxes.end() ? std::nullopt : std::optional<bool>(it->second);
    }
    std::optional<int> selectedIndex(int c) const override {
        auto it = lists.find(c);
        return it == lists.end() ? std::nullopt : std::optional<int>(it->second);
    }
    void enable(int c, bool on) override { enabled[c] = on; }
    void focus(int c) override { focused.push_back(c); }
    void deleteListItem(int c, int index) override { deleted.emplace_back(c, index); }
};

}  // namespace tw::test
