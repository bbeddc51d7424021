#include "ui/dialog.h"

namespace tw {

bool applyDialogScript(Dialog& dialog, const DialogScript& script, std::string* error) {
    for (const auto& [control, value] : script.settings) {
        if (!dialog.set(control, value)) {
            if (error) *error = "the dialog refused " + control + "=" + value;
            bool ignored = false;
            dialog.press("Cancel", ignored);
            return false;
        }
    }
    const std::string button = script.button.empty() ? dialog.defaultButton() : script.button;
    bool accepted = false;
    if (!dialog.press(button, accepted)) {
        if (error) *error = "the button " + button + " did not close the dialog";
        bool ignored = false;
        dialog.press("Cancel", ignored);
        return false;
    }
    return accepted;
}

}  // namespace tw
