#pragma once

#include <memory>

#include "app/dialog_box.h"
#include "testtune/test_sheet.h"

class QWidget;

namespace tw::app {

// The wizard window of a test sheet: one page at a time with its controls (object names are
// the control ids), Back, Next, Finish and Cancel from the sheet's state. Leaving it in any
// way (Cancel, Finish, the close box, Escape) stops the running test first. A streaming test
// shows its own modal dialog while it runs.
std::unique_ptr<DialogBox> buildTestSheetWidget(QWidget* parent, testtune::CTestSheet& sheet);

}  // namespace tw::app
