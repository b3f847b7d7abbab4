#pragma once

#include <QKeySequence>
#include <QLineEdit>
#include <QList>

namespace qntcalc {

// A single-line edit field. It tells when the user moves into it and out of
// it, and it keeps Ctrl+C, Ctrl+X and Ctrl+A for editing even where a menu
// item claims the same keys (also when read-only, so that Ctrl+X in a result
// field cuts nothing instead of ending the program), and Undo and Redo while
// it has typing of its own to undo or redo. Every other key that a menu item
// uses goes to the menu, even where the platform would give it an editing
// meaning (Ctrl+U deletes the line on X11).
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // The menu shortcuts of the window.
    void SetMenuShortcuts(QList<QKeySequence> shortcuts) { menuShortcuts_ = std::move(shortcuts); }

signals:
    // The focus arrived from another control of the window. Returning to
    // the window after another window or a menu does not count.
    void entered();
    // The focus went to another control of the window; leaving for another
    // window or a menu does not count.
    void left();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QList<QKeySequence> menuShortcuts_;
};

// Focus changes that stay within the window, as opposed to the window being
// activated again or a popup menu closing.
bool IsFocusMoveWithinWindow(Qt::FocusReason reason);

} // namespace qntcalc
