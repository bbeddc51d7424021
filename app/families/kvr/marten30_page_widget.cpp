#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/families/kvr/kvr_widgets.h"
#include "families/kvr/marten30_page.h"

namespace tw::app {

PageWidget* createMarten30PageWidget(kvr::CMarten30Page& page, QWidget* parent) {
    using P = kvr::CMarten30Page;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* info = new QGroupBox(QStringLiteral("Radio"), w);
    auto* grid = new QGridLayout(info);
    int r = 0;
    for (const auto& field : P::kDisplayFields) {
        grid->addWidget(new QLabel(QString::fromUtf8(field.label), info), r, 0);
        auto* value = new QLabel(info);
        value->setObjectName(QString::number(field.control));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(info);

    QGridLayout* buttons = w->actionButtons();
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
    layout->addStretch();
    w->setFirstControl(P::kRadioStatusButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
