#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tw::app {

// The serial library's status window: one line of text and, while the line reports a
// percentage, a progress bar.
class StatusPopup : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPopup(QWidget* parent);
    void setLine(const QString& text);
    QString line() const;
    // -1 while no percentage is shown.
    int percent() const;

  private:
    QLabel* text_;
    QProgressBar* bar_;
};

}  // namespace tw::app
