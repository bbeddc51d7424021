#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <functional>
#include <string>

#include "ui/dialog.h"

namespace tw::app {

// The window of a core dialog. Building it and running it are apart, so that a caller (or a
// test) can look at the widgets, close the window itself and then conclude().
// OK first hands the widgets' values to the core dialog (onAccept), then presses its "OK";
// every other way out presses "Cancel".
class DialogBox : public QDialog {
    Q_OBJECT
  public:
    DialogBox(QWidget* parent, Dialog& dialog, const QString& title = QString());

    Dialog& dialog() { return dialog_; }
    QVBoxLayout* body() { return body_; }
    // The button row at the bottom, with OK and Cancel unless other buttons are given.
    QDialogButtonBox* addButtons(QDialogButtonBox::StandardButtons standard =
                                     QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    void onAccept(std::function<void()> collect) { collect_ = std::move(collect); }

    // Presses a button of the core dialog while the window is open; when that closes the
    // core dialog, the window closes too and conclude() presses nothing more.
    void pressNow(const std::string& button);

    // Tells the core dialog how the window was closed; true when it closed accepted.
    bool conclude();
    // exec() and conclude().
    bool run();

    // How a button press reaches the core dialog: a dialog of a radio operation presses on
    // the radio worker, where the operation's port lives. None: right here.
    static void setPressCarrier(std::function<void(std::function<void()>)> carrier) {
        carrier_ = std::move(carrier);
    }

  private:
    bool pressDialog(const std::string& button, bool& accepted);
    static std::function<void(std::function<void()>)> carrier_;
    Dialog& dialog_;
    QVBoxLayout* body_;
    std::function<void()> collect_;
    bool closedByDialog_ = false;
    bool accepted_ = false;
};

}  // namespace tw::app
