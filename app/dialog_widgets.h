#pragma once

#include <QWidget>

#include "ui/dialog.h"

namespace tw::app {

// Shows a core dialog modally with the widget made for its kind (a generic one that lists
// describe() with OK and Cancel for kinds without their own); true when it was accepted.
bool runDialogWidget(QWidget* parent, Dialog& dialog);

}  // namespace tw::app
