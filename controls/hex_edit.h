#pragma once

#include <QLineEdit>
#include <optional>

namespace tw::app {

// Edit box for hexadecimal bytes: digits, "A" to "F" (typed lower case letters become
// upper case), blanks between bytes and backspace are taken; any other typed character
// is refused with a beep. Keys that type nothing (arrows, shortcuts) behave as usual.
class CHexEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit CHexEdit(QWidget* parent = nullptr);

    // What a typed character becomes in the text, or nothing when it is refused.
    static std::optional<QChar> accepted(QChar typed);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tw::app
