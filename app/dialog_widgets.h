#pragma once

#include <QWidget>
#include <memory>

#include "app/dialog_box.h"
#include "ui/dialog.h"

namespace tw::app {

// The window made for a core dialog's kind (a generic one that lists describe() with OK and
// Cancel for kinds without their own), not yet shown.
std::unique_ptr<DialogBox> buildDialogWidget(QWidget* parent, Dialog& dialog);

// Shows that window modally; true when the dialog was accepted.
bool runDialogWidget(QWidget* parent, Dialog& dialog);

}  // namespace tw::app
