#pragma once

#include <QWidget>
#include <memory>

#include "app/dialog_box.h"
#include "families/hln/select_radio_type.h"

namespace tw::app {

// The Select Radio Type window: nine radio buttons (named by their type letters) with the
// core dialog's preselection, OK and Cancel. On OK the core dialog takes the checked button.
std::unique_ptr<DialogBox> buildSelectRadioTypeWidget(QWidget* parent,
                                                      hln::SelectRadioTypeDialog& dialog);

}  // namespace tw::app
