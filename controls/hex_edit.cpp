#include "controls/hex_edit.h"

#include <QApplication>
#include <QKeyEvent>

namespace tw::app {

CHexEdit::CHexEdit(QWidget* parent) : QLineEdit(parent) {}

std::optional<QChar> CHexEdit::accepted(QChar typed) {
    const char16_t c = typed.unicode();
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == ' ') return typed;
    if (c >= 'a' && c <= 'f') return typed.toUpper();
    return std::nullopt;
}

void CHexEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool typesText = !typed.isEmpty() && typed[0].isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!typesText || event->key() == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString result;
    for (QChar ch : typed) {
        const auto ok = accepted(ch);
        if (!ok) {
            QApplication::beep();
            event->accept();
            return;
        }
        result += *ok;
    }
    insert(result);
    event->accept();
}

}  // namespace tw::app
