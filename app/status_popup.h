#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tw::app {

// The serial library's status window: one line of text, a progress bar while the operation
// reports how far it is (or the line carries a percentage), the time taken and the time
// left once an estimate means something, and a Cancel button (Escape, or the close box).
class StatusPopup : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPopup(QWidget* parent);
    void setLine(const QString& text);
    QString line() const;
    // -1 while no progress is shown.
    int percent() const;
    // `done` of `total` units; starts the clock at the first report of an operation.
    void setProgress(long done, long total);
    // The elapsed/left text ("" until the first progress report).
    QString timing() const;
    // Cancel is offered only while `handler` is set (an operation that can stop).
    void setCancelHandler(std::function<void()> handler);
    // Forgets the progress of the last operation (the window opens anew).
    void reset();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void requestCancel();

    QLabel* text_;
    QProgressBar* bar_;
    QLabel* timing_;
    QPushButton* cancel_;
    std::function<void()> onCancel_;
    QElapsedTimer started_;
    bool progressKnown_ = false;
};

// "1:05", or "1:02:05" past an hour.
QString formatDuration(qint64 ms);

}  // namespace tw::app
