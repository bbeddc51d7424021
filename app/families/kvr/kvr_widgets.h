#pragma once

#include <QWidget>

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

// The dialogs of these two pages; false when the kind is none of theirs (`handled` tells).
bool runKvrFamilyDialog(QWidget* parent, Dialog& dialog, bool& handled);

}  // namespace tw::app
