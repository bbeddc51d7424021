#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <vector>

#include "app/families/blt/blt_widgets.h"
#include "families/blt/blt_dialogs.h"

namespace tw::app {

namespace {

struct Box {
    std::string control;
    QLineEdit* edit;
};

// A scrolling form of one edit box per value; OK hands every box to the core dialog, which
// refuses a value out of range and keeps the one it had.
std::unique_ptr<DialogBox> formDialog(QWidget* parent, Dialog& dialog, const QString& title,
                                      const std::vector<std::pair<std::string, QString>>& rows,
                                      const std::vector<QString>& values, const QString& pattern) {
    auto box = std::make_unique<DialogBox>(parent, dialog, title);
    auto* scroll = new QScrollArea(box.get());
    auto* inner = new QWidget(scroll);
    auto* form = new QFormLayout(inner);
    auto boxes = std::make_shared<std::vector<Box>>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* edit = new QLineEdit(values[i], inner);
        edit->setObjectName(QString::fromStdString(rows[i].first));
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
        form->addRow(rows[i].second, edit);
        boxes->push_back({rows[i].first, edit});
    }
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    box->body()->addWidget(scroll);
    box->addButtons();
    Dialog* d = &dialog;
    box->onAccept([boxes, d] {
        for (const auto& b : *boxes) d->set(b.control, b.edit->text().toStdString());
    });
    box->resize(460, 520);
    return box;
}

}  // namespace

std::unique_ptr<DialogBox> buildBltDialog(QWidget* parent, Dialog& dialog) {
    if (auto* t = dynamic_cast<blt::TrackingEditDialog*>(&dialog)) {
        std::vector<std::pair<std::string, QString>> rows;
        std::vector<QString> values;
        for (const auto& f : t->fields()) {
            rows.emplace_back(std::to_string(f.id), QString::fromStdString(f.label));
            values.push_back(QString::number(t->value(f.id)));
        }
        return formDialog(parent, dialog, QStringLiteral("Tracking Data"), rows, values,
                          QStringLiteral("[0-9]{1,10}"));
    }
    if (auto* f = dynamic_cast<blt::FeatureEditDialog*>(&dialog)) {
        std::vector<std::pair<std::string, QString>> rows;
        std::vector<QString> values;
        for (std::size_t i = 0; i < f->bytes().size(); ++i) {
            rows.emplace_back(std::to_string(i), QStringLiteral("Byte %1").arg(i));
            values.push_back(
                QStringLiteral("%1").arg(f->bytes()[i], 2, 16, QLatin1Char('0')).toUpper());
        }
        return formDialog(parent, dialog, QStringLiteral("Feature Data"), rows, values,
                          QStringLiteral("[0-9A-Fa-f]{1,2}"));
    }
    return nullptr;
}

}  // namespace tw::app
