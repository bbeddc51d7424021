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

void DialogBox::pressNow(const std::string& button) {
    if (collect_) collect_();
    bool accepted = false;
    if (!dialog_.press(button, accepted)) return;
    closedByDialog_ = true;
    accepted_ = accepted;
    done(accepted ? Accepted : Rejected);
}

bool DialogBox::conclude() {
    if (closedByDialog_) return accepted_;
    const bool ok = result() == Accepted;
    if (ok && collect_) collect_();
    dialog_.press(ok ? "OK" : "Cancel", accepted_);
    closedByDialog_ = true;
    return accepted_;
}

bool DialogBox::run() {
    exec();
    return conclude();
}

}  // namespace tw::app
