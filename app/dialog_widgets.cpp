#include "app/dialog_widgets.h"

#include "app/families/kvr/kvr_widgets.h"

#include "app/families/hln/select_radio_type_widget.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tw::app {
namespace {

bool runGenericDialog(QWidget* parent, Dialog& dialog) {
    QDialog box(parent);
    box.setWindowTitle(QString::fromStdString(dialog.kind()));
    auto* layout = new QVBoxLayout(&box);
    for (const auto& line : dialog.describe())
        layout->addWidget(new QLabel(QString::fromStdString(line), &box));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    bool accepted = false;
    dialog.press(box.exec() == QDialog::Accepted ? "OK" : "Cancel", accepted);
    return accepted;
}

}  // namespace

bool runDialogWidget(QWidget* parent, Dialog& dialog) {
    // Kinds with widgets of their own are dispatched here by dialog.kind().
    if (dialog.kind() == "SelectRadioType")
        if (auto* d = dynamic_cast<SelectRadioTypeDialog*>(&dialog))
            return runSelectRadioTypeWidget(parent, *d);
    bool handled = false;
    const bool kvrAccepted = runKvrFamilyDialog(parent, dialog, handled);
    if (handled) return kvrAccepted;
    return runGenericDialog(parent, dialog);
}

}  // namespace tw::app
