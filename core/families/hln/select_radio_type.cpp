#include "families/hln/select_radio_type.h"

#include <cctype>

namespace tw::hln {

int SelectRadioTypeDialog::positionOf(int letter) {
    for (std::size_t i = 0; i < kChoices.size(); ++i)
        if (kChoices[i].letter == letter) return static_cast<int>(i);
    return -1;
}

SelectRadioTypeDialog::SelectRadioTypeDialog(int letter) : position_(positionOf(letter)) {
    if (position_ < 0) position_ = kFallbackPosition;
}

void SelectRadioTypeDialog::setPosition(int position) {
    if (position >= 0 && position < static_cast<int>(kChoices.size())) position_ = position;
}

std::vector<std::string> SelectRadioTypeDialog::describe() const {
    std::vector<std::string> lines{kCaption, kPrompt};
    for (std::size_t i = 0; i < kChoices.size(); ++i) {
        lines.push_back(std::string(static_cast<int>(i) == position_ ? "(*) " : "( ) ") +
                        kChoices[i].label + " [" + kChoices[i].letter + "]");
    }
    return lines;
}

bool SelectRadioTypeDialog::set(const std::string& control, const std::string& value) {
    if (control != "type" || value.size() != 1) return false;
    const int p = positionOf(std::toupper(static_cast<unsigned char>(value[0])));
    if (p < 0) return false;
    position_ = p;
    return true;
}

bool SelectRadioTypeDialog::press(const std::string& button, bool& accepted) {
    accepted = button == "OK";
    return button == "OK" || button == "Cancel";
}

}  // namespace tw::hln
