#pragma once

#include <QWidget>

#include "app/page_widget.h"

namespace tw::compact {
class CWlaPage;
}  // namespace tw::compact

namespace tw::app {

// Tab 3: Radio Status fields, the 21 tracking boxes in two blocks, and the two program-code
// buttons.
PageWidget* createWlaPageWidget(compact::CWlaPage& page, QWidget* parent);

}  // namespace tw::app
