#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tw {

// Base of every modal dialog whose behaviour lives in the core. A front end looks at kind()
// to pick the widget that shows it, or drives it headless through set() and press().
class Dialog {
  public:
    virtual ~Dialog() = default;
    virtual std::string kind() const = 0;
    // The window's title where a front end builds the window itself; the kind unless the
    // dialog has words of its own for the technician.
    virtual std::string caption() const { return kind(); }

    // What the dialog shows, as text lines, for headless front ends.
    virtual std::vector<std::string> describe() const { return {}; }
    // Sets a control (list selection, edit text, check box) by its id; false if refused.
    virtual bool set(const std::string& control, const std::string& value) {
        (void)control;
        (void)value;
        return false;
    }
    // Presses a button by its label or id. Returns true when the dialog closes as a result;
    // `accepted` then tells whether it closed by its default (OK-like) button.
    virtual bool press(const std::string& button, bool& accepted) {
        accepted = button == "OK";
        return button == "OK" || button == "Cancel";
    }
    // The button a headless front end presses when nobody said which.
    virtual std::string defaultButton() const { return "OK"; }
};

// A headless answer to a dialog: controls to set, then one button to press.
struct DialogScript {
    std::vector<std::pair<std::string, std::string>> settings;
    std::string button;  // empty: the dialog's default button
};

// Applies a script. Returns whether the dialog closed accepted; `error` (if given) says which
// setting or button the dialog refused.
bool applyDialogScript(Dialog& dialog, const DialogScript& script, std::string* error = nullptr);

}  // namespace tw
