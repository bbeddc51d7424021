#include "controls/step_edit.h"

#include <QKeyEvent>
#include <algorithm>

namespace tw::app {

StepEdit::StepEdit(QWidget* parent, int minimum, int maximum)
    : QLineEdit(parent), min_(minimum), max_(maximum) {
    setMaxLength(3);
}

void StepEdit::setBounds(int minimum, int maximum) {
    min_ = minimum;
    max_ = maximum;
}

QString StepEdit::stepped(const QString& text, int steps, int minimum, int maximum) {
    // The value is what a decimal parse makes of the text: leading digits, else 0.
    long long value = 0;
    int i = 0;
    const QString t = text.trimmed();
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    for (; i < t.size() && t[i].isDigit(); ++i)
        value = std::min(value * 10 + t[i].digitValue(), 1000000LL);
    if (negative) value = -value;
    const long long next = std::clamp<long long>(value + steps, minimum, maximum);
    return QString::number(next);
}

void StepEdit::keyPressEvent(QKeyEvent* event) {
    const int repeat = std::max(1, event->count());
    if (event->key() == Qt::Key_PageUp) {
        setText(stepped(text(), -repeat, min_, max_));
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_PageDown) {
        setText(stepped(text(), repeat, min_, max_));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace tw::app
