#include <QLabel>
#include <QListWidget>

#include "app/families/compact/wlb_widgets.h"
#include "families/compact/frequency_range_dlg.h"

namespace tw::app {

std::unique_ptr<DialogBox> buildCompactDialog(QWidget* parent, Dialog& dialog) {
    using D = compact::CChooseFrequencyRangeDlg;
    auto* dlg = dynamic_cast<D*>(&dialog);
    if (!dlg) return nullptr;
    auto box = std::make_unique<DialogBox>(parent, *dlg, QString::fromUtf8(D::kTitle));
    box->body()->addWidget(new QLabel(QString::fromUtf8(D::kRangeHead), box.get()));
    auto* list = new QListWidget(box.get());
    list->setObjectName(QString::fromUtf8(D::kRangeList));
    for (const auto& line : dlg->lines()) list->addItem(QString::fromStdString(line));
    if (dlg->selection() >= 0) list->setCurrentRow(dlg->selection());
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 8);
    list->setMaximumHeight(list->sizeHintForRow(0) * 5 + 2 * list->frameWidth() + 4);
    box->body()->addWidget(list);
    box->addButtons();
    QObject::connect(list, &QListWidget::itemDoubleClicked, box.get(), &QDialog::accept);
    box->onAccept([dlg, list] {
        if (list->currentItem() && list->currentItem()->isSelected())
            dlg->set(D::kRangeList, std::to_string(list->currentRow()));
    });
    return box;
}

}  // namespace tw::app
