#pragma once

#include <QWidget>
#include <memory>

#include "app/dialog_box.h"
#include "app/page_widget.h"
#include "ui/dialog.h"

namespace tw::kvr {
class CKvrMaint;
class CMarten30Page;
}  // namespace tw::kvr

namespace tw::app {

// Tab 0: the 21 tracking boxes in their groups and the "Radio Type" button.
PageWidget* createKvrPageWidget(kvr::CKvrMaint& page, QWidget* parent);
// Tab 6: the display fields and the six buttons of the MARTEN 30 page.
PageWidget* createMarten30PageWidget(kvr::CMarten30Page& page, QWidget* parent);

// The window of a dialog of these two pages; null when the dialog is none of theirs.
std::unique_ptr<DialogBox> buildKvrFamilyDialog(QWidget* parent, Dialog& dialog);

}  // namespace tw::app
