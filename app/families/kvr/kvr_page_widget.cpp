#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/families/kvr/kvr_widgets.h"
#include "controls/step_edit.h"
#include "families/kvr/kvr_maint.h"
#include "view/tracking_report.h"

namespace tw::app {

namespace {

// The boxes of the core's tracking rows with the given talk-around flag, in table order.
QGroupBox* trackingGroup(const char* title, bool talkAround, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    auto* grid = new QGridLayout(group);
    for (std::size_t c = 0; c < kTrackingColumns.size(); ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(kTrackingColumns[c]), group), 0,
                        static_cast<int>(c) + 1, Qt::AlignHCenter);
    int r = 1;
    for (const auto& row : kvr::kTrackingRows) {
        if (row.talkAround != talkAround) continue;
        grid->addWidget(new QLabel(QString::fromUtf8(row.name) + QLatin1Char(':'), group), r, 0);
        for (std::size_t c = 0; c < row.controls.size(); ++c) {
            auto* edit = new StepEdit(group, 0, 255);
            edit->setObjectName(QString::number(row.controls[c]));
            edit->setMaxLength(3);
            edit->setMaximumWidth(60);
            grid->addWidget(edit, r, static_cast<int>(c) + 1);
        }
        ++r;
    }
    // The boxes stay beside their row labels however wide the tab is.
    grid->setColumnStretch(4, 1);
    return group;
}

}  // namespace

PageWidget* createKvrPageWidget(kvr::CKvrMaint& page, QWidget* parent) {
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* status = new QGroupBox(QStringLiteral("Radio Status"), w);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->addLayout(w->actionButtons());
    statusLayout->addStretch();
    layout->addWidget(status);

    layout->addWidget(trackingGroup("Tracking Data", false, w));
    layout->addWidget(trackingGroup("Talk Around", true, w));
    layout->addStretch();

    w->setFirstControl(kvr::CKvrMaint::kRadioTypeButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
