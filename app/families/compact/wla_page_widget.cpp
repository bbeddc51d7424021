#include "app/families/compact/wla_page_widget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/families/compact/value_grid_widget.h"
#include "families/compact/wla_page.h"
#include "families/compact/wla_record.h"

namespace tw::app {

namespace {

QWidget* valueBox(int id, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(4);
    edit->setMaximumWidth(50);
    return edit;
}

}  // namespace

PageWidget* createWlaPageWidget(compact::CWlaPage& page, QWidget* parent) {
    using P = compact::CWlaPage;
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
    // The blocks stand side by side, a narrow empty column between them.
    const compact::WlaLayout& shape = compact::wlaLayout();
    int first = 0;
    for (const auto& block : shape.blocks) {
        if (first > 0) grid->setColumnMinimumWidth(first - 1, 20);
        addValueGrid(grid, block, first, tracking, valueBox);
        first += static_cast<int>(block.heads.size()) + 2;
    }
    grid->setColumnStretch(first - 1, 1);
    layout->addWidget(tracking);

    auto* code = new QGroupBox(QStringLiteral("Radio Application Code"), w);
    code->setObjectName(QStringLiteral("Radio Application Code"));
    auto* codeLayout = new QHBoxLayout(code);
    codeLayout->addLayout(w->actionButtons());
    codeLayout->addStretch();
    layout->addWidget(code);
    layout->addStretch();

    w->setFirstControl(shape.firstControl);
    w->pushToWidgets();
    return w;
}

}  // namespace tw::app
