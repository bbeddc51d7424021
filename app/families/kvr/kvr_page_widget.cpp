#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/families/kvr/kvr_widgets.h"
#include "controls/step_edit.h"
#include "families/kvr/kvr_maint.h"

namespace tw::app {

namespace {

struct Row {
    const char* label;
    std::array<int, 3> ids;
};

QGroupBox* trackingGroup(const char* title, const std::vector<Row>& rows, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    auto* grid = new QGridLayout(group);
    const char* columns[] = {"Low", "Mid", "High"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(columns[c]), group), 0, c + 1,
                        Qt::AlignHCenter);
    int r = 1;
    for (const auto& row : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), group), r, 0);
        for (int c = 0; c < 3; ++c) {
            auto* edit = new StepEdit(group, 0, 255);
            edit->setObjectName(QString::number(row.ids[static_cast<std::size_t>(c)]));
            edit->setMaxLength(3);
            edit->setMaximumWidth(60);
            grid->addWidget(edit, r, c + 1);
        }
        ++r;
    }
    // The boxes stay beside their row labels however wide the tab is.
    grid->setColumnStretch(4, 1);
    return group;
}

}  // namespace

PageWidget* createKvrPageWidget(kvr::CKvrMaint& page, QWidget* parent) {
    namespace rows = kvr::rows;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* status = new QGroupBox(QStringLiteral("Radio Status"), w);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->addLayout(w->actionButtons());
    statusLayout->addStretch();
    layout->addWidget(status);

    layout->addWidget(trackingGroup("Tracking Data",
                                    {{"Squelch:", rows::kSquelch},
                                     {"High Power:", rows::kHighPower},
                                     {"Low Power:", rows::kLowPower},
                                     {"Modulation:", rows::kModulation}},
                                    w));
    layout->addWidget(trackingGroup("Talk Around",
                                    {{"High Power:", rows::kTalkAroundHighPower},
                                     {"Low Power:", rows::kTalkAroundLowPower},
                                     {"Modulation:", rows::kTalkAroundModulation}},
                                    w));
    layout->addStretch();

    w->setFirstControl(kvr::CKvrMaint::kRadioTypeButton);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
