#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>

#include "app/status_popup.h"
#include "ui/ui.h"

class QWidget;

namespace tw::app {

// The technician's side of every flow in the desktop application: message boxes, file
// dialogs, the status window, the busy cursor. Dialogs are parented to the main window once
// it exists.
class QtUi : public Ui {
  public:
    QtUi() = default;
    ~QtUi() override;
    QtUi(const QtUi&) = delete;
    QtUi& operator=(const QtUi&) = delete;

    void setWindow(QMainWindow* window) { window_ = window; }

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    SaveAnswer askSaveEdits(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    bool runDialog(Dialog& dialog) override;
    void openStatus() override;
    void setStatusText(const std::string& text) override;
    void closeStatus() override;
    void progress(long done, long total) override;
    // What the status window's Cancel button (and Escape) does; none: no Cancel offered.
    void setCancelHandler(std::function<void()> handler);
    // Hears when Cancel is held back and offered again (the window's Escape goes with it).
    void setCancelHoldHandler(std::function<void(bool)> handler) {
        holdHandler_ = std::move(handler);
    }
    void holdCancel(bool held) override;
    void beginBusy() override;
    void endBusy() override;
    void beep() override;
    void detail(const std::string& text) override;

    StatusPopup* statusPopup() const { return status_; }

  private:
    std::optional<std::string> chooseFile(const FileChoice& choice, bool save);
    QWidget* parentWidget() const;

    QPointer<QMainWindow> window_;
    QPointer<StatusPopup> status_;
    int busy_ = 0;
    std::function<void()> cancelHandler_;
    std::function<void(bool)> holdHandler_;
    bool cancelHeld_ = false;
};

}  // namespace tw::app
