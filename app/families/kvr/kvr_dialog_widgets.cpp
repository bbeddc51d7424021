#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include "app/families/kvr/kvr_widgets.h"
#include "families/kvr/kvr_radio_type_dlg.h"
#include "families/kvr/marten30_dialogs.h"

namespace tw::app {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QListWidget* listOf(const std::vector<std::string>& lines, int selected, int id, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::number(id));
    for (const auto& l : lines) list->addItem(qs(l));
    if (selected >= 0) list->setCurrentRow(selected);
    return list;
}

// The selected line of a list as the core dialog takes it; empty for none.
std::string selectedLine(QListWidget* list) {
    return list->currentItem() && list->currentItem()->isSelected()
               ? std::to_string(list->currentRow())
               : std::string();
}

std::unique_ptr<DialogBox> buildRadioType(QWidget* parent, kvr::CKvrRadioTypeDlg& dlg) {
    using D = kvr::CKvrRadioTypeDlg;
    auto box = std::make_unique<DialogBox>(parent, dlg);
    auto* body = box->body();

    auto* typeGroup = new QGroupBox(QStringLiteral("Radio Type"), box.get());
    auto* typeLayout = new QVBoxLayout(typeGroup);
    auto* types =
        listOf(dlg.radioTypeLines(), dlg.radioTypeSelection(), D::kRadioTypeList, typeGroup);
    types->setMaximumHeight(types->sizeHintForRow(0) * 4 + 2 * types->frameWidth() + 4);
    typeLayout->addWidget(types);
    body->addWidget(typeGroup);

    // The band-split lines are two fixed-width columns; the heads sit over them.
    auto* splitGroup = new QGroupBox(QStringLiteral("Bandsplit Settings"), box.get());
    auto* splitLayout = new QVBoxLayout(splitGroup);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFontMetrics metrics(fixed);
    auto* heads = new QHBoxLayout;
    auto* transmit = new QLabel(QStringLiteral("Transmit Frequency"), splitGroup);
    transmit->setMinimumWidth(metrics.horizontalAdvance(QString(21, QLatin1Char('0'))));
    heads->addSpacing(6);
    heads->addWidget(transmit);
    heads->addWidget(new QLabel(QStringLiteral("Receive Frequency"), splitGroup));
    heads->addStretch();
    splitLayout->addLayout(heads);
    auto* splits =
        listOf(dlg.bandSplitLines(), dlg.bandSplitSelection(), D::kBandSplitList, splitGroup);
    splits->setFont(fixed);
    splits->setMinimumWidth(metrics.horizontalAdvance(QString(40, QLatin1Char('0'))) +
                            splits->verticalScrollBar()->sizeHint().width() + 16);
    splitLayout->addWidget(splits);
    body->addWidget(splitGroup);

    auto* buttons = box->addButtons(QDialogButtonBox::Cancel);
    auto* write =
        buttons->addButton(QString::fromUtf8(D::kWriteButton), QDialogButtonBox::AcceptRole);
    // Nothing to write without a band split: the window offers only Cancel then.
    write->setEnabled(dlg.writeEnabled());
    write->setDefault(dlg.writeEnabled());
    // Write To Radio runs the write itself; the dialog closes only when the core says so.
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, box.get(), &QDialog::accept);
    DialogBox* b = box.get();
    box->onAccept([&dlg, types, splits] {
        dlg.set(std::to_string(D::kRadioTypeList), selectedLine(types));
        dlg.set(std::to_string(D::kBandSplitList), selectedLine(splits));
    });
    QObject::connect(write, &QPushButton::clicked, b, [b] { b->pressNow(D::kWriteButton); });
    return box;
}

// Rows of numeric boxes. A box's label heads its column, and is shown again only where a
// row's labels differ from the row above.
std::unique_ptr<DialogBox> buildBoxes(QWidget* parent, kvr::Marten30BoxDialog& dlg) {
    auto box = std::make_unique<DialogBox>(parent, dlg, qs(dlg.caption()));
    auto* grid = new QGridLayout;
    const auto& rows = dlg.rowCaptions();
    std::vector<std::vector<const kvr::ValueBox*>> boxesOfRow(rows.size());
    for (const auto& b : dlg.boxes()) boxesOfRow[static_cast<std::size_t>(b.row)].push_back(&b);

    // Units, where rows have them, take a column of their own between caption and boxes.
    bool anyUnit = false;
    for (std::size_t r = 0; r < rows.size(); ++r) anyUnit = anyUnit || !dlg.rowUnit(r).empty();
    const int firstBoxColumn = anyUnit ? 2 : 1;

    auto spins = std::make_shared<std::vector<std::pair<int, QSpinBox*>>>();
    std::vector<std::string> labelsAbove;
    int gridRow = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> labels;
        bool anyLabel = false;
        for (const auto* b : boxesOfRow[r]) {
            labels.push_back(b->label);
            anyLabel = anyLabel || !b->label.empty();
        }
        if (anyLabel && labels != labelsAbove) {
            for (std::size_t c = 0; c < labels.size(); ++c)
                grid->addWidget(new QLabel(qs(labels[c]), box.get()), gridRow,
                                static_cast<int>(c) + firstBoxColumn,
                                Qt::AlignHCenter | Qt::AlignBottom);
            ++gridRow;
        }
        labelsAbove = labels;
        grid->addWidget(new QLabel(qs(rows[r]), box.get()), gridRow, 0);
        if (const std::string unit = dlg.rowUnit(r); !unit.empty())
            grid->addWidget(new QLabel(qs(unit), box.get()), gridRow, 1);
        int col = firstBoxColumn;
        for (const auto* b : boxesOfRow[r]) {
            auto* spin = new QSpinBox(box.get());
            spin->setObjectName(QString::number(b->id));
            spin->setRange(0, kvr::Marten30BoxDialog::maximum(*b));
            spin->setValue(dlg.value(b->id));
            grid->addWidget(spin, gridRow, col++);
            spins->emplace_back(b->id, spin);
        }
        ++gridRow;
    }
    box->body()->addLayout(grid);
    box->addButtons();
    box->onAccept([&dlg, spins] {
        for (const auto& [id, spin] : *spins)
            dlg.set(std::to_string(id), std::to_string(spin->value()));
    });
    return box;
}

std::unique_ptr<DialogBox> buildCloning(QWidget* parent, kvr::Marten30CloningDialog& dlg) {
    using D = kvr::Marten30CloningDialog;
    auto box = std::make_unique<DialogBox>(parent, dlg, qs(dlg.caption()));
    auto check = [&](const char* label, int id, bool on) {
        auto* c = new QCheckBox(QString::fromUtf8(label), box.get());
        c->setObjectName(QString::number(id));
        c->setChecked(on);
        box->body()->addWidget(c);
        return c;
    };
    auto* supervisor = check(D::kSupervisorLabel, D::kSupervisor, dlg.supervisor());
    auto* subordinate = check(D::kSubordinateLabel, D::kSubordinate, dlg.subordinate());
    box->addButtons();
    box->onAccept([&dlg, supervisor, subordinate] {
        dlg.set(std::to_string(D::kSupervisor), supervisor->isChecked() ? "1" : "0");
        dlg.set(std::to_string(D::kSubordinate), subordinate->isChecked() ? "1" : "0");
    });
    return box;
}

std::unique_ptr<DialogBox> buildCountry(QWidget* parent, kvr::Marten30CountryDialog& dlg) {
    using D = kvr::Marten30CountryDialog;
    auto box = std::make_unique<DialogBox>(parent, dlg, qs(dlg.caption()));
    auto* group = new QButtonGroup(box.get());
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(D::kChoices[static_cast<std::size_t>(i)]),
                                   box.get());
        b->setChecked(i == dlg.country());
        group->addButton(b, i);
        box->body()->addWidget(b);
    }
    box->addButtons();
    box->onAccept([&dlg, group] {
        dlg.set(D::kControl,
                std::to_string(group->checkedId() < 0 ? dlg.country() : group->checkedId()));
    });
    return box;
}

}  // namespace

std::unique_ptr<DialogBox> buildKvrFamilyDialog(QWidget* parent, Dialog& dialog) {
    if (auto* d = dynamic_cast<kvr::CKvrRadioTypeDlg*>(&dialog)) return buildRadioType(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30BoxDialog*>(&dialog)) return buildBoxes(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30CloningDialog*>(&dialog))
        return buildCloning(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30CountryDialog*>(&dialog))
        return buildCountry(parent, *d);
    return nullptr;
}

}  // namespace tw::app
