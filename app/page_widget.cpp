#include "app/page_widget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace tw::app {

PageWidget::PageWidget(FamilyPage& page, QWidget* parent) : QWidget(parent), page_(page) {}

bool PageWidget::exchange(std::function<bool()> operation, RadioWork work) {
    // A button that brings a radio's or a file's values notes where they came from.
    auto noted = [&page = page_, operation = std::move(operation)] {
        return page.tracked(SourceEffect::Action, DataSet::Both, "", operation);
    };
    if (starter_) return starter_(this, work, std::move(noted));
    pullFromWidgets();
    const bool ok = noted();
    pushToWidgets();
    focusFailedField();
    return ok;
}

QGridLayout* PageWidget::actionButtons(bool columnsFirst, std::function<void()> afterWindow) {
    std::vector<PageAction> buttons;
    for (auto& a : page_.actions())
        if (a.button) buttons.push_back(std::move(a));
    std::stable_sort(
        buttons.begin(), buttons.end(), [columnsFirst](const PageAction& x, const PageAction& y) {
            return columnsFirst ? std::pair(x.column, x.row) < std::pair(y.column, y.row)
                                : std::pair(x.row, x.column) < std::pair(y.row, y.column);
        });
    auto* grid = new QGridLayout;
    for (auto& a : buttons) {
        auto* b = new QPushButton(QString::fromStdString(page_.controls().text(a.button)), this);
        b->setObjectName(QString::number(a.button));
        grid->addWidget(b, a.row, a.column);
        if (!a.offered) b->setVisible(false);
        const RadioWork work = a.pressWork.value_or(a.work);
        std::function<bool()> press =
            a.press ? a.press : [run = a.run] { return run(std::vector<std::string>{}); };
        if (a.opensWindow) {
            connect(b, &QPushButton::clicked, this, [this, press, afterWindow] {
                pullFromWidgets();
                press();
                pushToWidgets();
                if (afterWindow) afterWindow();
            });
        } else {
            connect(b, &QPushButton::clicked, this, [this, press, work] { exchange(press, work); });
        }
    }
    return grid;
}

void PageWidget::watchEdits() {
    for (const auto& c : page_.controls().all()) {
        QWidget* w = control(c.id);
        const int id = c.id;
        auto note = [this, id] {
            if (pushing_) return;
            page_.noteEdited(id);
            emit edited();
        };
        // Only the technician's own acts: textEdited and activated never follow a set by
        // the program; a plain text edit has no such signal, so pushes are told apart.
        if (auto* e = qobject_cast<QLineEdit*>(w))
            connect(e, &QLineEdit::textEdited, this, note);
        else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
            connect(p, &QPlainTextEdit::textChanged, this, note);
        else if (auto* b = qobject_cast<QComboBox*>(w))
            connect(b, &QComboBox::activated, this, note);
    }
}

QWidget* PageWidget::control(int id) const {
    return findChild<QWidget*>(QString::number(id));
}

void PageWidget::pullFromWidgets() {
    for (const auto& c : page_.controls().all()) {
        QWidget* w = control(c.id);
        if (!w) continue;
        if (auto* e = qobject_cast<QLineEdit*>(w))
            page_.controls().setText(c.id, e->text().toStdString());
        else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
            page_.controls().setText(c.id, p->toPlainText().toStdString());
        else if (auto* b = qobject_cast<QComboBox*>(w))
            page_.controls().setText(c.id, b->currentText().toStdString());
    }
}

void PageWidget::pushToWidgets() {
    pushToWidgets(page_.controls().all());
}

void PageWidget::pushToWidgets(const std::vector<Control>& controls) {
    pushing_ = true;
    for (const auto& c : controls) {
        QWidget* w = control(c.id);
        if (!w) continue;
        const QString text = QString::fromStdString(c.text);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (e->text() != text) e->setText(text);
            watchField(c.id, e);
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            l->setText(text);
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            if (p->toPlainText() != text) p->setPlainText(text);
        } else if (auto* b = qobject_cast<QComboBox*>(w)) {
            b->setCurrentText(text);
        }
        w->setEnabled(c.enabled);
    }
    pushing_ = false;
}

void PageWidget::watchField(int id, QLineEdit* edit) {
    if (!watched_.insert(id).second) return;
    auto mark = [this, id, edit] {
        const auto problem = page_.fieldProblem(id, edit->text().toStdString());
        // Boxes never marked keep whatever look and tooltip they were given.
        if (!problem && !marked_.count(id)) return;
        edit->setStyleSheet(problem ? QStringLiteral("QLineEdit { border: 2px solid red; }")
                                    : QString());
        edit->setToolTip(problem ? QString::fromStdString(*problem) : QString());
        if (problem)
            marked_.insert(id);
        else
            marked_.erase(id);
    };
    connect(edit, &QLineEdit::textChanged, this, mark);
    mark();
}

void PageWidget::focusFailedField() {
    const int id = page_.takeFailedField();
    QWidget* w = id ? control(id) : nullptr;
    if (!w || !w->isEnabled()) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
}

}  // namespace tw::app
