#include "app/families/hln/hln_page_widget.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "controls/hex_edit.h"
#include "controls/step_edit.h"
#include "families/hln/tracking_layout.h"

namespace tw::app {
namespace {

using namespace hln::ids;

QLineEdit* namedEdit(QLineEdit* edit, int id, int maxLength) {
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(maxLength);
    return edit;
}

template <std::size_t N>
QGroupBox* trackingGrid(const char* title, const std::array<hln::HlnGridRow, N>& rows,
                        QWidget* parent) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    auto* grid = new QGridLayout(box);
    const char* heads[] = {"Low", "Mid", "High"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(heads[c]), box), 0, c + 1, Qt::AlignCenter);
    int r = 1;
    for (const hln::HlnGridRow& row : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), box), r, 0);
        int c = 1;
        for (int id : row.boxes) {
            auto* edit = new StepEdit(box, 0, 255);
            namedEdit(edit, id, 3);
            edit->setMaximumWidth(56);
            grid->addWidget(edit, r, c++);
        }
        ++r;
    }
    // Boxes beside their labels, rows from the top: both groups keep their heads level.
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(r, 1);
    return box;
}

}  // namespace

PageWidget* createHlnPageWidget(FamilyPage& page, QWidget* parent) {
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* status = new QGroupBox(QStringLiteral("Radio Status"), w);
    auto* statusGrid = new QGridLayout(status);
    const QFontMetrics metrics(w->font());
    // Wide enough for the longest text each field holds, and no wider.
    auto identityEdit = [&](int id, int maxLength) {
        auto* edit = namedEdit(new QLineEdit(status), id, maxLength);
        edit->setFixedWidth(metrics.horizontalAdvance(QString(maxLength + 2, QLatin1Char('W'))));
        return edit;
    };
    int r = 0;
    for (const auto& box : hln::kHlnIdentityBoxes) {
        statusGrid->addWidget(new QLabel(QString::fromUtf8(box.label), status), r, 0);
        statusGrid->addWidget(identityEdit(box.id, box.maxLength), r++, 1);
    }
    statusGrid->setColumnStretch(2, 1);
    layout->addWidget(status);

    auto* features = new QGroupBox(QStringLiteral("Feature Data"), w);
    auto* featureLayout = new QHBoxLayout(features);
    auto* hex = new CHexEdit(features);
    hex->setObjectName(QString::number(kFeatures));
    featureLayout->addWidget(hex);
    layout->addWidget(features);

    auto* tracking = trackingGrid("Tracking Data", hln::kHlnTrackingGrid, w);
    auto* talkAround = trackingGrid("Talk Around", hln::kHlnTalkAroundGrid, w);
    auto* grids = new QHBoxLayout;
    grids->addWidget(tracking);
    grids->addWidget(talkAround);
    layout->addLayout(grids);
    layout->addStretch();

    w->setFirstControl(kFeatures);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
