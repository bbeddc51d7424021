#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/dialog.h"

namespace tw::testtune {

// The three test sheets, by the code the picker ends with.
enum class TestSheetChoice { Io = 102, StandardRf = 103, Frontcap = 104 };

// "Pick A Test": one button per sheet and Cancel. Headless front ends press a button by its
// label or its code ("103"); Cancel picks nothing.
class CPickTestDlg : public Dialog {
  public:
    struct Button {
        TestSheetChoice choice;
        const char* label;
    };
    static constexpr Button kButtons[] = {{TestSheetChoice::Io, "I/O Tests"},
                                          {TestSheetChoice::StandardRf, "Standard RF"},
                                          {TestSheetChoice::Frontcap, "Frontcap RF"}};
    static constexpr const char* kCaption = "Pick A Test";

    std::string kind() const override { return "PickTest"; }
    std::vector<std::string> describe() const override;
    bool press(const std::string& button, bool& accepted) override;
    std::string defaultButton() const override { return "Cancel"; }

    // The sheet picked; nothing after Cancel (or before any button).
    const std::optional<TestSheetChoice>& choice() const { return choice_; }
    // A front end's way to end the dialog with a sheet.
    void pick(TestSheetChoice choice) { choice_ = choice; }

  private:
    std::optional<TestSheetChoice> choice_;
};

}  // namespace tw::testtune
