#pragma once

#include <QWidget>
#include <memory>

#include "app/dialog_box.h"
#include "app/page_widget.h"

namespace tw::blt {
class CMaintenanceDlg;
}

namespace tw::app {

// The BLT page of tab 2: radio type and memory, and the page's buttons.
PageWidget* createBltPageWidget(blt::CMaintenanceDlg& page, QWidget* parent);

// The tracking and feature editors; nothing for dialogs of other kinds.
std::unique_ptr<DialogBox> buildBltDialog(QWidget* parent, Dialog& dialog);

}  // namespace tw::app
