#pragma once

#include <string>
#include <vector>

namespace tw {

// The state a dialog holds for each of its controls: the text (what data exchange moves),
// whether the control is enabled, and whether it shows a value a front end should report.
struct Control {
    int id = 0;
    std::string text;
    bool enabled = true;
    bool showsValue = true;
};

// Controls keyed by their dialog control id, kept in the order they were added.
class Controls {
  public:
    // Adding an id again returns the control it has; under strict ids it throws instead.
    Control& add(int id, std::string text = {}, bool showsValue = true);
    bool has(int id) const { return find(id) != nullptr; }

    // An id the page never added reads as empty and disabled; writing one is ignored and
    // returns false. Where strict ids are on (debug builds and the tests) the program naming
    // such an id is at fault and it throws std::logic_error instead, so a mistyped id cannot
    // silently do nothing. An id a person typed is checked with has() first.
    const std::string& text(int id) const;
    bool setText(int id, std::string text);
    bool enabled(int id) const;
    bool setEnabled(int id, bool on);

    const std::vector<Control>& all() const { return controls_; }

    static void setStrictIds(bool on);
    static bool strictIds();

  private:
    const Control* find(int id) const;
    // find, failing loudly under strict ids.
    const Control* known(int id) const;
    Control* known(int id);
    Control* find(int id);
    std::vector<Control> controls_;
};

}  // namespace tw
