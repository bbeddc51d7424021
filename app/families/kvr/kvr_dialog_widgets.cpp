#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

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

bool runRadioType(QWidget* parent, kvr::CKvrRadioTypeDlg& dlg) {
    using D = kvr::CKvrRadioTypeDlg;
    QDialog box(parent);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(QStringLiteral("Radio Type"), &box));
    auto* types = listOf(dlg.radioTypeLines(), dlg.radioTypeSelection(), D::kRadioTypeList, &box);
    layout->addWidget(types);
    layout->addWidget(new QLabel(QStringLiteral("Bandsplit Settings"), &box));
    layout->addWidget(
        new QLabel(QStringLiteral("Transmit Frequency          Receive Frequency"), &box));
    auto* splits = listOf(dlg.bandSplitLines(), dlg.bandSplitSelection(), D::kBandSplitList, &box);
    splits->setFont(QFont(QStringLiteral("Monospace")));
    layout->addWidget(splits);
    auto* buttons = new QDialogButtonBox(&box);
    auto* write =
        buttons->addButton(QString::fromUtf8(D::kWriteButton), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);

    bool accepted = false;
    QObject::connect(write, &QPushButton::clicked, &box, [&] {
        auto row = [](QListWidget* l) {
            return l->currentItem() && l->currentItem()->isSelected()
                       ? std::to_string(l->currentRow())
                       : std::string();
        };
        dlg.set(std::to_string(D::kRadioTypeList), row(types));
        dlg.set(std::to_string(D::kBandSplitList), row(splits));
        if (dlg.press(D::kWriteButton, accepted))
            box.done(accepted ? QDialog::Accepted : QDialog::Rejected);
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    if (box.exec() == QDialog::Accepted) return accepted;
    if (!accepted) dlg.press("Cancel", accepted);
    return false;
}

bool runBoxes(QWidget* parent, kvr::Marten30BoxDialog& dlg) {
    QDialog box(parent);
    box.setWindowTitle(qs(dlg.caption()));
    auto* layout = new QVBoxLayout(&box);
    auto* grid = new QGridLayout;
    std::vector<std::pair<int, QSpinBox*>> spins;
    const auto& rows = dlg.rowCaptions();
    std::vector<int> columnOfRow(rows.size(), 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        grid->addWidget(new QLabel(qs(rows[r]), &box), static_cast<int>(2 * r + 1), 0);
    for (const auto& b : dlg.boxes()) {
        const int gridRow = 2 * b.row + 1;
        int& col = columnOfRow[static_cast<std::size_t>(b.row)];
        if (!b.label.empty()) grid->addWidget(new QLabel(qs(b.label), &box), gridRow - 1, col);
        auto* spin = new QSpinBox(&box);
        spin->setObjectName(QString::number(b.id));
        spin->setRange(0, kvr::Marten30BoxDialog::maximum(b));
        spin->setValue(dlg.value(b.id));
        grid->addWidget(spin, gridRow, col++);
        spins.emplace_back(b.id, spin);
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    bool accepted = false;
    if (box.exec() != QDialog::Accepted) {
        dlg.press("Cancel", accepted);
        return false;
    }
    for (const auto& [id, spin] : spins) dlg.set(std::to_string(id), std::to_string(spin->value()));
    dlg.press("OK", accepted);
    return accepted;
}

bool runCloning(QWidget* parent, kvr::Marten30CloningDialog& dlg) {
    using D = kvr::Marten30CloningDialog;
    QDialog box(parent);
    box.setWindowTitle(qs(dlg.caption()));
    auto* layout = new QVBoxLayout(&box);
    auto* supervisor = new QCheckBox(QStringLiteral("Allow Supervisor Operation"), &box);
    supervisor->setObjectName(QString::number(D::kSupervisor));
    supervisor->setChecked(dlg.supervisor());
    auto* subordinate = new QCheckBox(QStringLiteral("Allow Subordinate Operation"), &box);
    subordinate->setObjectName(QString::number(D::kSubordinate));
    subordinate->setChecked(dlg.subordinate());
    layout->addWidget(supervisor);
    layout->addWidget(subordinate);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    bool accepted = false;
    if (box.exec() != QDialog::Accepted) {
        dlg.press("Cancel", accepted);
        return false;
    }
    dlg.set(std::to_string(D::kSupervisor), supervisor->isChecked() ? "1" : "0");
    dlg.set(std::to_string(D::kSubordinate), subordinate->isChecked() ? "1" : "0");
    dlg.press("OK", accepted);
    return accepted;
}

bool runCountry(QWidget* parent, kvr::Marten30CountryDialog& dlg) {
    using D = kvr::Marten30CountryDialog;
    QDialog box(parent);
    box.setWindowTitle(qs(dlg.caption()));
    auto* layout = new QVBoxLayout(&box);
    auto* group = new QButtonGroup(&box);
    for (int i = 0; i < 4; ++i) {
        auto* b =
            new QRadioButton(QString::fromUtf8(D::kChoices[static_cast<std::size_t>(i)]), &box);
        b->setChecked(i == dlg.country());
        group->addButton(b, i);
        layout->addWidget(b);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    bool accepted = false;
    if (box.exec() != QDialog::Accepted) {
        dlg.press("Cancel", accepted);
        return false;
    }
    dlg.set(D::kControl,
            std::to_string(group->checkedId() < 0 ? dlg.country() : group->checkedId()));
    dlg.press("OK", accepted);
    return accepted;
}

}  // namespace

bool runKvrFamilyDialog(QWidget* parent, Dialog& dialog, bool& handled) {
    handled = true;
    if (auto* d = dynamic_cast<kvr::CKvrRadioTypeDlg*>(&dialog)) return runRadioType(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30BoxDialog*>(&dialog)) return runBoxes(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30CloningDialog*>(&dialog)) return runCloning(parent, *d);
    if (auto* d = dynamic_cast<kvr::Marten30CountryDialog*>(&dialog)) return runCountry(parent, *d);
    handled = false;
    return false;
}

}  // namespace tw::app
