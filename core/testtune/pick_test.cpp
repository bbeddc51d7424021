#include "testtune/pick_test.h"

namespace tw::testtune {

std::vector<std::string> CPickTestDlg::describe() const {
    std::vector<std::string> lines{kCaption};
    for (const auto& b : kButtons)
        lines.push_back("[" + std::to_string(static_cast<int>(b.choice)) + "] " + b.label);
    lines.push_back("[Cancel]");
    return lines;
}

bool CPickTestDlg::press(const std::string& button, bool& accepted) {
    accepted = false;
    if (button == "Cancel") {
        choice_.reset();
        return true;
    }
    for (const auto& b : kButtons) {
        if (button == b.label || button == std::to_string(static_cast<int>(b.choice))) {
            choice_ = b.choice;
            accepted = true;
            return true;
        }
    }
    return false;
}

}  // namespace tw::testtune
