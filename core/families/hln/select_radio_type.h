#pragma once

#include <array>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace tw::hln {

// The Select Radio Type dialog: nine radio buttons, each standing for a type letter, and
// OK / Cancel. Headless front ends set control "type" to a letter.
class SelectRadioTypeDialog : public Dialog {
  public:
    struct Choice {
        const char* label;
        char letter;
    };
    static constexpr std::array<Choice, 9> kChoices = {{{"UKT", 'I'},
                                                        {"QLX", 'V'},
                                                        {"VNL/ZKT", 'U'},
                                                        {"OKT", 'K'},
                                                        {"TRW/Cantara", 'B'},
                                                        {"TRV", 'C'},
                                                        {"HLN Trunked", 'A'},
                                                        {"RWS KVR", 'T'},
                                                        {"NOVAC30P", 'M'}}};
    static constexpr const char* kCaption = "Select Radio Type";
    // The line over the buttons: the window asks before every radio operation of the page,
    // and the answer decides how the radio is spoken to.
    static constexpr const char* kPrompt = "Which type of radio is connected?";
    static constexpr int kFallbackPosition = 2;

    // Preselects the button of `letter`; a letter not offered preselects VNL/ZKT.
    explicit SelectRadioTypeDialog(int letter);

    std::string kind() const override { return "SelectRadioType"; }
    std::vector<std::string> describe() const override;
    bool set(const std::string& control, const std::string& value) override;
    bool press(const std::string& button, bool& accepted) override;

    int position() const { return position_; }
    void setPosition(int position);
    char letter() const { return kChoices[static_cast<std::size_t>(position_)].letter; }
    static int positionOf(int letter);

  private:
    int position_;
};

}  // namespace tw::hln
