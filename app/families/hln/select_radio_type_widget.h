#pragma once

#include <QWidget>

#include "families/hln/select_radio_type.h"

namespace tw::app {

// The Select Radio Type dialog: nine radio buttons with the core dialog's preselection,
// OK and Cancel. True when closed with OK; the core dialog then holds the choice.
bool runSelectRadioTypeWidget(QWidget* parent, SelectRadioTypeDialog& dialog);

}  // namespace tw::app
