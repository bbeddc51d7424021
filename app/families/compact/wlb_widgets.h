#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "app/dialog_box.h"
#include "app/page_widget.h"
#include "ui/dialog.h"

namespace tw::compact {
class CCompactPage;
}  // namespace tw::compact

namespace tw::app {

// Tab 4: the WLB tracking values in their groups, band split, version and Defaults.
PageWidget* createWlbPageWidget(compact::CCompactPage& page, QWidget* parent);
// Tab 5: the same for MARTEN 60P radios, with two squelch rows and the TX Dev Offset.
PageWidget* createMarten60PPageWidget(compact::CCompactPage& page, QWidget* parent);

// Either page from the window layout its model holds.
PageWidget* createCompactPageWidget(compact::CCompactPage& page, QWidget* parent);

// The Choose Frequency Range window of the Defaults buttons; null for any other dialog.
std::unique_ptr<DialogBox> buildCompactDialog(QWidget* parent, Dialog& dialog);

}  // namespace tw::app
