#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/families/blt/blt_widgets.h"
#include "families/blt/blt_page.h"

namespace tw::app {

PageWidget* createBltPageWidget(blt::CMaintenanceDlg& page, QWidget* parent) {
    using P = blt::CMaintenanceDlg;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* info = new QGroupBox(QStringLiteral("Radio"), w);
    auto* grid = new QGridLayout(info);
    int r = 0;
    for (const auto& [label, id] : P::kShownTexts) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), info), r, 0);
        auto* value = new QLabel(info);
        value->setObjectName(QString::number(id));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(info);

    // Stands below the buttons while a test sheet may have left the radio transmitting.
    auto* warning = new QLabel(w);
    warning->setObjectName("transmitterWarning");
    warning->setWordWrap(true);
    warning->setStyleSheet("color:#cc0000;font-weight:bold");
    const auto showWarning = [warning, &page] {
        warning->setText(QString::fromStdString(page.transmitterWarning()));
        warning->setVisible(!page.transmitterWarning().empty());
    };
    showWarning();
    QGridLayout* buttons = w->actionButtons(true, showWarning);
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
    layout->addWidget(warning);
    layout->addStretch();
    w->setFirstControl(P::kTrackingEditButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
