#include "app/dialog_widgets.h"

#include <QLabel>

#include "app/families/blt/blt_widgets.h"
#include "app/families/compact/wlb_widgets.h"
#include "app/families/hln/select_radio_type_widget.h"
#include "app/families/kvr/kvr_widgets.h"
#include "app/testtune/pick_test_widget.h"
#include "app/testtune/test_sheet_widget.h"

namespace tw::app {
namespace {

std::unique_ptr<DialogBox> buildGenericDialog(QWidget* parent, Dialog& dialog) {
    auto box =
        std::make_unique<DialogBox>(parent, dialog, QString::fromStdString(dialog.caption()));
    for (const auto& line : dialog.describe())
        box->body()->addWidget(new QLabel(QString::fromStdString(line), box.get()));
    box->addButtons();
    return box;
}

}  // namespace

std::unique_ptr<DialogBox> buildDialogWidget(QWidget* parent, Dialog& dialog) {
    // Kinds with widgets of their own are dispatched here.
    if (dialog.kind() == "SelectRadioType")
        if (auto* d = dynamic_cast<hln::SelectRadioTypeDialog*>(&dialog))
            return buildSelectRadioTypeWidget(parent, *d);
    if (dialog.kind() == "PickTest")
        if (auto* d = dynamic_cast<testtune::CPickTestDlg*>(&dialog))
            return buildPickTestWidget(parent, *d);
    if (dialog.kind() == "TestSheet")
        if (auto* d = dynamic_cast<testtune::CTestSheet*>(&dialog))
            return buildTestSheetWidget(parent, *d);
    if (auto box = buildKvrFamilyDialog(parent, dialog)) return box;
    if (auto box = buildBltDialog(parent, dialog)) return box;
    if (auto box = buildCompactDialog(parent, dialog)) return box;
    return buildGenericDialog(parent, dialog);
}

bool runDialogWidget(QWidget* parent, Dialog& dialog) {
    return buildDialogWidget(parent, dialog)->run();
}

}  // namespace tw::app
