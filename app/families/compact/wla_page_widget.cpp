#include "app/families/compact/wla_page_widget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

#include "families/compact/wla_page.h"
#include "families/compact/wla_record.h"

namespace tw::app {

namespace {

struct Row {
    const char* label;
    std::array<int, 3> ids;
};

// One block of tracking rows with its Low/Mid/High heads, from grid column `first`.
void addBlock(QGridLayout* grid, QWidget* parent, const std::vector<Row>& rows, int first) {
    const char* columns[] = {"Low", "Mid", "High"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(columns[c]), parent), 0, first + c + 1,
                        Qt::AlignHCenter);
    int r = 1;
    for (const auto& row : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), parent), r, first);
        for (int c = 0; c < 3; ++c) {
            auto* edit = new QLineEdit(parent);
            edit->setObjectName(QString::number(row.ids[static_cast<std::size_t>(c)]));
            edit->setMaxLength(4);
            edit->setMaximumWidth(50);
            grid->addWidget(edit, r, first + c + 1);
        }
        ++r;
    }
}

}  // namespace

PageWidget* createWlaPageWidget(compact::CWlaPage& page, QWidget* parent) {
    using P = compact::CWlaPage;
    namespace rows = compact::wla_rows;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);

    auto* status = new QGroupBox(QStringLiteral("Radio Status"), w);
    status->setObjectName(QStringLiteral("Radio Status"));
    auto* statusLayout = new QHBoxLayout(status);
    const std::pair<const char*, int> fields[] = {
        {"Radio Type:", P::kRadioType}, {"RF Type:", P::kRfType}, {"Max. Power:", P::kMaxPower}};
    for (const auto& [label, id] : fields) {
        statusLayout->addWidget(new QLabel(QString::fromUtf8(label), status));
        auto* value = new QLabel(status);
        value->setObjectName(QString::number(id));
        value->setMinimumWidth(70);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        statusLayout->addWidget(value);
    }
    statusLayout->addStretch();
    layout->addWidget(status);

    auto* tracking = new QGroupBox(QStringLiteral("Tracking Data"), w);
    tracking->setObjectName(QStringLiteral("Tracking Data"));
    auto* grid = new QGridLayout(tracking);
    addBlock(grid, tracking,
             {{"TX Low Power:", rows::kTxLowPower},
              {"TX High Power:", rows::kTxHighPower},
              {"TX Deviation SP1:", rows::kTxDeviationSp1},
              {"TX Deviation SP2:", rows::kTxDeviationSp2}},
             0);
    grid->setColumnMinimumWidth(4, 20);
    addBlock(grid, tracking,
             {{"Squelch 12.5:", rows::kSquelch125},
              {"Squelch 20:", rows::kSquelch20},
              {"Squelch 25/30:", rows::kSquelch25}},
             5);
    grid->setColumnStretch(9, 1);
    layout->addWidget(tracking);

    auto* code = new QGroupBox(QStringLiteral("Radio Application Code"), w);
    code->setObjectName(QStringLiteral("Radio Application Code"));
    auto* codeLayout = new QHBoxLayout(code);
    codeLayout->addLayout(w->actionButtons());
    codeLayout->addStretch();
    layout->addWidget(code);
    layout->addStretch();

    w->setFirstControl(rows::kTxLowPower[0]);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
