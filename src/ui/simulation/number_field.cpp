#include "ui/simulation/number_field.h"

#include <QKeyEvent>
#include <QTimer>

#include "core/numeric_key_filter.h"

namespace zemtral {

NumberField::NumberField(QWidget* parent) : QLineEdit(parent) {}

void NumberField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut) || event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_enter) {
            m_enter();
        }
        event->accept();
        return;
    }
    const QString text = event->text();
    // Keys without a character (arrows, Home, Delete, Tab...) are editing keys, not input.
    if (text.size() != 1 || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Escape) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    int code = text.at(0).unicode();
    if (!NumericKeyFilter(code)) {
        event->accept();
        return;
    }
    if (code == text.at(0).unicode()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The filter changed the key (a comma into a point): type the changed character.
    QKeyEvent changed(event->type(), event->key(), event->modifiers(), QString(QChar(code)));
    QLineEdit::keyPressEvent(&changed);
}

void NumberField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A mouse click places the cursor after the focus event; select once it has been handled.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

}  // namespace zemtral
