#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/families/compact/value_grid_widget.h"
#include "app/families/compact/wlb_widgets.h"
#include "controls/step_edit.h"
#include "families/compact/compact_page.h"

namespace tw::app {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

StepEdit* valueBox(int id, QWidget* parent) {
    auto* edit = new StepEdit(parent, 0, 255);
    edit->setObjectName(QString::number(id));
    edit->setMaxLength(3);
    edit->setMaximumWidth(60);
    return edit;
}

// A grid of value boxes; the column after the boxes takes what width is left.
void addGrid(QGridLayout* grid, const compact::ValueGrid& values, QWidget* parent) {
    grid->setColumnStretch(addValueGrid(grid, values, 0, parent, valueBox), 1);
}

// Band split and version are shown, not typed: they take no focus so that the tab order runs
// through the values.
QHBoxLayout* displayTexts(QWidget* parent) {
    auto* row = new QHBoxLayout;
    const std::tuple<const char*, int, int> texts[] = {
        {"Band Split", compact::kBandSplitText, static_cast<int>(compact::kBandSplitMaxChars)},
        {"Version", compact::kVersionText, static_cast<int>(compact::kVersionMaxChars)}};
    for (const auto& [label, id, length] : texts) {
        row->addWidget(new QLabel(qs(label), parent));
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::number(id));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setMaxLength(length);
        row->addWidget(edit);
    }
    row->addStretch();
    return row;
}

}  // namespace

PageWidget* createCompactPageWidget(compact::CCompactPage& page, QWidget* parent) {
    const compact::CompactLayout& shape = page.model().layout;
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);
    if (shape.textsFirst) layout->addLayout(displayTexts(w));

    auto* tracking = new QGroupBox(QStringLiteral("Tracking Data"), w);
    auto* trackingLayout = new QVBoxLayout(tracking);
    auto* squelch = new QGroupBox(QStringLiteral("Squelch"), tracking);
    addGrid(new QGridLayout(squelch), shape.squelch, squelch);
    trackingLayout->addWidget(squelch);
    for (const compact::ValueGrid* part : {&shape.table, &shape.singles}) {
        auto* grid = new QGridLayout;
        addGrid(grid, *part, tracking);
        trackingLayout->addLayout(grid);
    }
    layout->addWidget(tracking);

    if (!shape.textsFirst) layout->addLayout(displayTexts(w));
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(w->actionButtons());
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    w->setFirstControl(shape.firstControl);
    w->pushToWidgets();
    return w;
}

PageWidget* createWlbPageWidget(compact::CCompactPage& page, QWidget* parent) {
    return createCompactPageWidget(page, parent);
}

}  // namespace tw::app
