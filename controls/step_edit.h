#pragma once

#include <QLineEdit>

namespace tw::app {

// Edit box of a decimal value on which Page Up lowers and Page Down raises the value by the
// key's repeat count, clamped to [minimum, maximum]; every other key behaves as usual.
class StepEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit StepEdit(QWidget* parent = nullptr, int minimum = 0, int maximum = 255);
    void setBounds(int minimum, int maximum);
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    // The stepping rule itself, apart from the widget: text after `steps` (negative: down).
    static QString stepped(const QString& text, int steps, int minimum, int maximum);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int min_;
    int max_;
};

}  // namespace tw::app
