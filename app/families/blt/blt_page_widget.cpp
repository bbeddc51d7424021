#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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
    const std::pair<const char*, int> fields[] = {{"Radio Type:", P::kRadioType},
                                                  {"Memory:", P::kMemory}};
    int r = 0;
    for (const auto& [label, id] : fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), info), r, 0);
        auto* value = new QLabel(info);
        value->setObjectName(QString::number(id));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(info);

    // Data buttons on the left, radio-code and recovery buttons on the right.
    auto* buttons = new QGridLayout;
    struct Button {
        int id;
        bool (P::*op)();
        int row, column;
    };
    const Button list[] = {
        {P::kTrackingEditButton, &P::TrackingDataEdit, 0, 0},
        {P::kFeatureEditButton, &P::FeatureDataEdit, 1, 0},
        {P::kVersionUpgradeButton, &P::VersionUpgrade, 2, 0},
        {P::kRadioInformationButton, &P::GetStatus, 3, 0},
        {P::kGveAlignmentButton, &P::GveAlignment, 4, 0},
        {P::kWriteCodeButton, &P::WriteCodeToFile, 0, 1},
        {P::kWriteAdiDspButton, &P::WriteAdiDspToFile, 1, 1},
        {P::kJumpButton, &P::Jump, 2, 1},
        {P::kRecoveryButton, &P::Recovery, 3, 1},
        {P::kDesktopButton, &P::Desktop, 4, 1},
        {P::kRadioRecoveryButton, &P::RadioRecovery, 5, 1},
    };
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
    for (const auto& b : list) {
        auto* button = new QPushButton(QString::fromStdString(page.controls().text(b.id)), w);
        button->setObjectName(QString::number(b.id));
        buttons->addWidget(button, b.row, b.column);
        auto member = b.op;
        // The alignment opens its sheet window, which must be made on the window's thread.
        const bool here = b.id == P::kGveAlignmentButton;
        const RadioWork work = b.id == P::kDesktopButton ? RadioWork::Flash
                               : b.id == P::kTrackingEditButton || b.id == P::kFeatureEditButton ||
                                       b.id == P::kVersionUpgradeButton
                                   ? RadioWork::Write
                                   : RadioWork::Read;
        QObject::connect(button, &QPushButton::clicked, w,
                         [w, &page, member, here, work, showWarning] {
                             if (here) {
                                 w->pullFromWidgets();
                                 (page.*member)();
                                 w->pushToWidgets();
                                 showWarning();
                                 return;
                             }
                             w->exchange([&page, member] { return (page.*member)(); }, work);
                         });
        // Radio Recovery exists in the layout but is never offered.
        if (b.id == P::kRadioRecoveryButton) button->setVisible(false);
    }
    buttons->setColumnStretch(2, 1);
    layout->addLayout(buttons);
    layout->addWidget(warning);
    layout->addStretch();
    w->setFirstControl(P::kTrackingEditButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
