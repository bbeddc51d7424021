#include "app/families/hln/select_radio_type_widget.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

namespace tw::app {

std::unique_ptr<DialogBox> buildSelectRadioTypeWidget(QWidget* parent,
                                                      hln::SelectRadioTypeDialog& dialog) {
    auto box = std::make_unique<DialogBox>(parent, dialog,
                                           QString::fromUtf8(hln::SelectRadioTypeDialog::kCaption));
    box->body()->addWidget(
        new QLabel(QString::fromUtf8(hln::SelectRadioTypeDialog::kPrompt), box.get()));
    auto* group = new QButtonGroup(box.get());
    int position = 0;
    for (const auto& choice : hln::SelectRadioTypeDialog::kChoices) {
        auto* button = new QRadioButton(QString::fromUtf8(choice.label), box.get());
        button->setObjectName(QString(QChar(choice.letter)));
        group->addButton(button, position);
        button->setChecked(position == dialog.position());
        box->body()->addWidget(button);
        ++position;
    }
    box->addButtons();
    box->onAccept([&dialog, group] { dialog.setPosition(group->checkedId()); });
    return box;
}

}  // namespace tw::app
