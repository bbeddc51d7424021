#pragma once

#include <QWidget>
#include <memory>

#include "app/dialog_box.h"
#include "testtune/pick_test.h"

namespace tw::app {

// "Pick A Test": one push button per test sheet (object names are the sheet codes 102, 103,
// 104) and Cancel. A sheet button ends the dialog with that sheet picked.
std::unique_ptr<DialogBox> buildPickTestWidget(QWidget* parent, testtune::CPickTestDlg& dialog);

}  // namespace tw::app
