#include "ui/qt/FieldEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace qntcalc {

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {}

bool IsFocusMoveWithinWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool FieldEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::SelectAll)) {
            key->accept();
            return true;
        }
        const QKeySequence pressed(key->keyCombination());
        // The field's own typing is undone first, as in any edit field; the
        // menu's Undo and Redo take the window's steps once it has none.
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          pressed.matches(QKeySequence(Qt::CTRL | Qt::Key_Y)) ==
                              QKeySequence::ExactMatch;
        if (undo || redo) {
            if ((undo && isUndoAvailable()) || (redo && isRedoAvailable()))
                key->accept();
            else
                key->ignore();
            return true;
        }
        for (const QKeySequence& shortcut : menuShortcuts_) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                key->ignore();
                return true;
            }
        }
    }
    return QLineEdit::event(event);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (IsFocusMoveWithinWindow(event->reason()))
        emit entered();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsFocusMoveWithinWindow(event->reason()))
        emit left();
}

} // namespace qntcalc
