#include "app/compare_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tw::app {

CompareDialog::CompareDialog(const std::vector<ComparedValue>& page,
                             const std::vector<ComparedValue>& file, const QString& fileName,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName("compareDialog");
    setWindowTitle("Compare with " + fileName);
    const std::vector<FieldDiff> rows = alignValues(page, file);
    table_ = new QTableWidget(static_cast<int>(rows.size()), 3, this);
    table_->setHorizontalHeaderLabels({"Field", "Page", fileName});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool differs = rows[i].left != rows[i].right;
        differs_.push_back(differs);
        differing += differs ? 1 : 0;
        const int r = static_cast<int>(i);
        for (int c = 0; c < 3; ++c) {
            const std::string& text = c == 0   ? rows[i].label
                                      : c == 1 ? rows[i].left
                                               : rows[i].right;
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            if (differs) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(255, 215, 215));
            }
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    summary_ = new QLabel(QString::fromStdString(diffSummary(differing)), this);
    only_ = new QCheckBox("Show only the fields that differ", this);
    connect(only_, &QCheckBox::toggled, this, [this] { showRows(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addWidget(only_);
    layout->addWidget(buttons);
    resize(560, 480);
}

void CompareDialog::showRows() {
    for (std::size_t i = 0; i < differs_.size(); ++i)
        table_->setRowHidden(static_cast<int>(i), only_->isChecked() && !differs_[i]);
}

QDialog* createLinesDialog(const QString& title, const std::vector<std::string>& lines,
                           QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setWindowTitle(title);
    auto* text = new QPlainTextEdit(dialog);
    text->setObjectName("lines");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString all;
    for (const auto& line : lines) all += QString::fromStdString(line) + "\n";
    text->setPlainText(all);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(600, 440);
    return dialog;
}

}  // namespace tw::app
