#include "app/families/hln/select_radio_type_widget.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tw::app {

bool runSelectRadioTypeWidget(QWidget* parent, SelectRadioTypeDialog& dialog) {
    QDialog box(parent);
    box.setWindowTitle(QString::fromUtf8(SelectRadioTypeDialog::kCaption));
    auto* layout = new QVBoxLayout(&box);
    auto* group = new QButtonGroup(&box);
    int position = 0;
    for (const auto& choice : SelectRadioTypeDialog::kChoices) {
        auto* button = new QRadioButton(QString::fromUtf8(choice.label), &box);
        button->setObjectName(QString(QChar(choice.letter)));
        group->addButton(button, position);
        button->setChecked(position == dialog.position());
        layout->addWidget(button);
        ++position;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);

    const bool ok = box.exec() == QDialog::Accepted;
    if (ok) dialog.setPosition(group->checkedId());
    bool accepted = false;
    dialog.press(ok ? "OK" : "Cancel", accepted);
    return accepted;
}

}  // namespace tw::app
