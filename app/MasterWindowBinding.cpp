#include "app/MasterWindow.h"
#include "ui/qt/FieldEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

// What the main window adds to the kit's views: field widths and the look
// of results, leaving the manual cycle-time box, and help on F1.
namespace qntcalc {

FieldEdit* MasterWindow::Edit(EditField& field) {
    FieldEdit* edit = views_.Edit(field);
    if (&field != &form_.Ed_Project)
        edit->setFixedWidth(FieldWidth());
    return edit;
}

FieldEdit* MasterWindow::ResultEdit(EditField& field) {
    FieldEdit* edit = Edit(field);
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    QPalette black = edit->palette();
    black.setColor(QPalette::Active, QPalette::Text, Qt::black);
    black.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    edit->setPalette(black);
    // Results are read, not visited: Tab skips them, a click still selects
    // for copying. The Vesk cycle time is an input in Expert mode.
    if (&field != &form_.EditFor(Field::CVesk))
        edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QLabel* MasterWindow::Text(Label& label) {
    return views_.Text(label);
}

QCheckBox* MasterWindow::Check(CheckBox& box) {
    QCheckBox* view = views_.Check(box);
    if (&box == &form_.CB_CVeskManual)
        view->installEventFilter(this);
    return view;
}

QMenu* MasterWindow::Menu(Label& title) {
    QMenu* menu = views_.Menu(title, menuBar());
    menu->installEventFilter(this);
    return menu;
}

void MasterWindow::EnterFocusedFieldAgain() {
    const QWidget* focused = focusWidget();
    const Control* shown = focused ? views_.ControlOf(focused) : nullptr;
    Control* control = shown ? form_.controls.Find(shown->Name()) : nullptr;
    if (!control)
        return;
    ControlKind kind = control->Kind();
    if (EditField** field = std::get_if<EditField*>(&kind))
        (*field)->Enter();
}

void MasterWindow::ShowContextHelp(const QObject* focused) {
    for (const QObject* object = focused; object; object = object->parent()) {
        if (const Control* control = views_.ControlOf(object)) {
            form_.ContextHelp(*control);
            return;
        }
    }
    form_.ContextHelp(form_.MasterForm);
}

bool MasterWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* menu = qobject_cast<QMenu*>(watched); menu && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::HelpContents)) {
            // Help on the highlighted item, else on the menu.
            if (menu->activeAction())
                ShowContextHelp(menu->activeAction());
            else
                ShowContextHelp(menu);
            return true;
        }
    } else if (watched == views_.ViewOf("CB_CVeskManual") && event->type() == QEvent::FocusOut) {
        if (IsFocusMoveWithinWindow(static_cast<QFocusEvent*>(event)->reason()))
            form_.CB_CVeskManual.Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MasterWindow::closeEvent(QCloseEvent* event) {
    if (CloseQuery && !CloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace qntcalc
