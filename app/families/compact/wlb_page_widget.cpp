#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

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

// A row label and its boxes, under column heads in row 0.
void addRow(QGridLayout* grid, int row, const char* label, const std::vector<int>& ids,
            QWidget* parent) {
    grid->addWidget(new QLabel(qs(label), parent), row, 0);
    int column = 1;
    for (int id : ids) grid->addWidget(valueBox(id, parent), row, column++);
}

void addHeads(QGridLayout* grid, const std::vector<const char*>& heads, QWidget* parent) {
    int column = 1;
    for (const char* h : heads)
        grid->addWidget(new QLabel(qs(h), parent), 0, column++, Qt::AlignHCenter);
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

PageWidget* createCompactPageWidget(compact::CCompactPage& page, const CompactPageLayout& shape,
                                    QWidget* parent) {
    auto* w = new PageWidget(page, parent);
    auto* layout = new QVBoxLayout(w);
    if (shape.textsFirst) layout->addLayout(displayTexts(w));

    auto* tracking = new QGroupBox(QStringLiteral("Tracking Data"), w);
    auto* trackingLayout = new QVBoxLayout(tracking);
    auto* squelch = new QGroupBox(QStringLiteral("Squelch"), tracking);
    auto* squelchGrid = new QGridLayout(squelch);
    addHeads(squelchGrid, {"Wide Band", "Narr Band"}, squelch);
    int row = 1;
    for (const auto& [label, ids] : shape.squelchRows)
        addRow(squelchGrid, row++, label, {ids[0], ids[1]}, squelch);
    squelchGrid->setColumnStretch(3, 1);
    trackingLayout->addWidget(squelch);

    auto* table = new QGridLayout;
    addHeads(table, {"Low", "Mid", "High"}, tracking);
    addRow(table, 1, "RF Low Power", {2048, 2049, 2056}, tracking);
    addRow(table, 2, "RF High Power", {2050, 2051, 2052}, tracking);
    addRow(table, 3, "TX Dev(Wid Bnd)", {2053, 2054, 2055}, tracking);
    table->setColumnStretch(4, 1);
    trackingLayout->addLayout(table);

    auto* singles = new QGridLayout;
    row = 0;
    for (const auto& [label, id] : shape.singleFields)
        addRow(singles, row++, label, {id}, tracking);
    singles->setColumnStretch(2, 1);
    trackingLayout->addLayout(singles);
    layout->addWidget(tracking);

    if (!shape.textsFirst) layout->addLayout(displayTexts(w));
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(w->actionButtons());
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    w->pushToWidgets();
    return w;
}

PageWidget* createWlbPageWidget(compact::CCompactPage& page, QWidget* parent) {
    const CompactPageLayout shape{{{"Opening", {2040, 2041}},
                                   {"Closing ", {2042, 2043}},
                                   {"Offset Low", {2044, 2045}},
                                   {"Offset High", {2046, 2047}}},
                                  {{"Ref Oscillator Frequency Adjust", 2057},
                                   {"Low Voltage Cutoff", 2058},
                                   {"Adjustable Squelch Offset", 2059}},
                                  false};
    PageWidget* w = createCompactPageWidget(page, shape, parent);
    w->setFirstControl(2040);
    return w;
}

}  // namespace tw::app
