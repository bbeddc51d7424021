#include "app/dialog_box.h"

namespace tw::app {

DialogBox::DialogBox(QWidget* parent, Dialog& dialog, const QString& title)
    : QDialog(parent), dialog_(dialog), body_(new QVBoxLayout(this)) {
    if (!title.isEmpty()) setWindowTitle(title);
}

QDialogButtonBox* DialogBox::addButtons(QDialogButtonBox::StandardButtons standard) {
    auto* buttons = new QDialogButtonBox(standard, this);
    body_->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

std::function<void(std::function<void()>)> DialogBox::carrier_;

bool DialogBox::pressDialog(const std::string& button, bool& accepted) {
    if (!carrier_) return dialog_.press(button, accepted);
    bool closes = false;
    carrier_([&] { closes = dialog_.press(button, accepted); });
    return closes;
}

void DialogBox::pressNow(const std::string& button) {
    if (collect_) collect_();
    bool accepted = false;
    if (!pressDialog(button, accepted)) return;
    closedByDialog_ = true;
    accepted_ = accepted;
    done(accepted ? Accepted : Rejected);
}

bool DialogBox::conclude() {
    if (closedByDialog_) return accepted_;
    const bool ok = result() == Accepted;
    if (ok && collect_) collect_();
    pressDialog(ok ? "OK" : "Cancel", accepted_);
    closedByDialog_ = true;
    return accepted_;
}

bool DialogBox::run() {
    exec();
    return conclude();
}

}  // namespace tw::app
