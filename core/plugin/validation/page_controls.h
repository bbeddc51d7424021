#pragma once

#include <optional>
#include <string>

namespace tw {

// The controls of one host page, reached by control id. A control that is not on the page
// gives nothing and ignores changes.
class PageControls {
  public:
    virtual ~PageControls() = default;
    // Edit text, at most 79 characters.
    virtual std::optional<std::string> text(int control) const = 0;
    virtual std::optional<bool> checked(int control) const = 0;
    // Selected index of a drop-down list; -1 when nothing is selected.
    virtual std::optional<int> selectedIndex(int control) const = 0;
    virtual void enable(int control, bool on) = 0;
    virtual void focus(int control) = 0;
    virtual void deleteListItem(int control, int index) = 0;

    static constexpr std::size_t kMaxText = 79;
};

}  // namespace tw
