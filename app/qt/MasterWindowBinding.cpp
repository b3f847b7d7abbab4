#include "app/qt/FieldEdit.h"
#include "app/qt/MasterWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

// How each model control is shown and what of the user's doing reaches it.
// Only signals that the user alone raises are connected (textEdited,
// clicked, activated, triggered); where a widget also signals the program's
// own changes, those are blocked while the model is being mirrored.
namespace qntcalc {

namespace {

// Captions of buttons and group boxes are literal: an ampersand is no mnemonic.
QString Literal(const std::string& text) {
    return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void MasterWindow::BindWindow(Label& caption) {
    Register(caption, this, [this, &caption] { setWindowTitle(ToQString(caption.Caption())); });
}

FieldEdit* MasterWindow::Edit(EditField& field) {
    auto* edit = new FieldEdit;
    edit->SetMenuShortcuts(menuShortcuts_);
    if (&field != &form_.Ed_Project)
        edit->setFixedWidth(FieldWidth());
    Register(field, edit, [edit, &field] {
        MirrorWidget(field, edit);
        // Only a real change is written, so the cursor stays where it is
        // while the user types.
        const QString text = ToQString(field.Text());
        if (edit->text() != text)
            edit->setText(text);
        edit->setReadOnly(field.ReadOnly());
    });
    connect(edit, &QLineEdit::textEdited, this, [this, &field](const QString& text) {
        field.SetText(text.toStdString());
        Mirror(field);
    });
    edit->OnEnter = [&field] { field.Enter(); };
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
    if (&field != &form_.Ed_CVesk)
        edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QLabel* MasterWindow::Text(Label& label) {
    auto* view = new QLabel;
    view->setTextFormat(Qt::PlainText);
    Register(label, view, [view, &label] {
        MirrorWidget(label, view);
        const QString caption = ToQString(label.Caption());
        if (view->text() != caption)
            view->setText(caption);
    });
    return view;
}

QGroupBox* MasterWindow::Group(Label& label) {
    auto* group = new QGroupBox;
    Register(label, group, [group, &label] {
        MirrorWidget(label, group);
        group->setTitle(Literal(label.Caption()));
    });
    return group;
}

QCheckBox* MasterWindow::Check(CheckBox& box) {
    auto* view = new QCheckBox;
    Register(box, view, [view, &box] {
        MirrorWidget(box, view);
        view->setText(Literal(box.Caption()));
        view->setChecked(box.Checked());
    });
    connect(view, &QCheckBox::clicked, this, [this, &box](bool checked) {
        box.SetChecked(checked);
        Mirror(box);
    });
    if (&box == &form_.CB_CVeskManual)
        view->installEventFilter(this);
    return view;
}

QRadioButton* MasterWindow::Radio(RadioButton& button) {
    auto* view = new QRadioButton;
    // The model keeps its groups exclusive and may select none, which
    // Qt's own exclusive groups cannot show.
    view->setAutoExclusive(false);
    Register(button, view, [view, &button] {
        MirrorWidget(button, view);
        view->setText(Literal(button.Caption()));
        view->setChecked(button.Checked());
    });
    connect(view, &QRadioButton::clicked, this, [this, &button] {
        button.SetChecked(true);
        // A click on the selected button would untick it in Qt.
        Mirror(button);
    });
    return view;
}

QComboBox* MasterWindow::Combo(ComboBox& box) {
    auto* view = new QComboBox;
    view->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Register(box, view, [view, &box] {
        MirrorWidget(box, view);
        const QSignalBlocker blocker(view);
        const std::vector<std::string>& items = box.Items();
        bool same = view->count() == static_cast<int>(items.size());
        for (int i = 0; same && i < view->count(); ++i)
            same = view->itemText(i) == ToQString(items[static_cast<std::size_t>(i)]);
        if (!same) {
            view->clear();
            for (const std::string& item : items)
                view->addItem(ToQString(item));
        }
        view->setCurrentIndex(box.ItemIndex());
    });
    connect(view, &QComboBox::activated, this, [this, &box](int index) {
        box.UserSelect(index);
        Mirror(box);
    });
    return view;
}

QMenu* MasterWindow::Menu(Label& title) {
    QMenu* menu = menuBar()->addMenu(QString());
    Register(title, menu, [menu, &title] {
        menu->setTitle(QLatin1Char('&') + Literal(title.Caption()));
        menu->menuAction()->setVisible(title.Visible());
        menu->menuAction()->setEnabled(title.Enabled());
    });
    menu->installEventFilter(this);
    return menu;
}

QAction* MasterWindow::Action(MenuItem& item, QMenu* menu) {
    QAction* action = menu->addAction(QString());
    action->setCheckable(item.Group() != nullptr);
    if (!item.Shortcut().empty()) {
        const QKeySequence shortcut(ToQString(item.Shortcut()));
        action->setShortcut(shortcut);
        menuShortcuts_ << shortcut;
    }
    Register(item, action, [action, &item] {
        action->setText(Literal(item.Caption()));
        action->setVisible(item.Visible());
        action->setEnabled(item.Enabled());
        action->setChecked(item.Checked());
    });
    connect(action, &QAction::triggered, this, [this, &item] {
        item.Click();
        // Qt has toggled the action already; the model says what is checked.
        if (item.Group()) {
            for (MenuItem* other : item.Group()->Items())
                Mirror(*other);
        } else {
            Mirror(item);
        }
    });
    return action;
}

void MasterWindow::BindPages(PageControl& pages, QTabWidget* tabs) {
    for (int i = 0; i < pages.PageCount(); ++i) {
        const TabSheet& sheet = pages.Pages()[static_cast<std::size_t>(i)];
        tabs->setTabText(i, Literal(sheet.caption));
        tabs->widget(i)->setObjectName(ToQString(sheet.name));
    }
    Register(pages, tabs, [tabs, &pages] {
        MirrorWidget(pages, tabs);
        // Hiding the current tab makes Qt pick another one; that is no
        // choice of the user's, and the model's active page follows below.
        const QSignalBlocker blocker(tabs);
        for (int i = 0; i < pages.PageCount(); ++i) {
            if (tabs->isTabVisible(i) != pages.TabVisible(i))
                tabs->setTabVisible(i, pages.TabVisible(i));
        }
        if (pages.ActivePageIndex() >= 0 && tabs->currentIndex() != pages.ActivePageIndex())
            tabs->setCurrentIndex(pages.ActivePageIndex());
    });
    // Unblocked, the signal comes from the user: a click or a key on the tabs.
    connect(tabs, &QTabWidget::currentChanged, this, [this, &pages](int index) {
        pages.UserSelectPage(index);
        Mirror(pages);
    });
}

void MasterWindow::BindIndicator(IndicatorBar& bar, QProgressBar* view) {
    Register(bar, view, [view, &bar] {
        MirrorWidget(bar, view);
        // A zero range would turn the bar into a busy indicator.
        view->setRange(0, std::max(bar.Maximum(), 1));
        view->setValue(bar.ShownPosition());
    });
}

void MasterWindow::BindStatus(StatusBar& status) {
    QStatusBar* view = statusBar();
    Register(status, view, [this, view, &status] {
        MirrorWidget(status, view);
        for (int panel = 0; panel < 2; ++panel) {
            const QString text = ToQString(status.PanelText(panel));
            if (statusPanels_[panel]->text() != text)
                statusPanels_[panel]->setText(text);
        }
        // An empty palette gives the normal window colour back.
        QPalette palette;
        if (status.Colour() == StatusColour::Red)
            palette.setColor(QPalette::Window, QColor(255, 0, 0));
        view->setPalette(palette);
    });
}

void MasterWindow::ShowContextHelp(const QObject* focused) {
    for (const QObject* object = focused; object; object = object->parent()) {
        if (const Control* control = ControlOf(object)) {
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
    } else if (watched == ViewOf("CB_CVeskManual") && event->type() == QEvent::FocusOut) {
        if (IsFocusMoveWithinWindow(static_cast<QFocusEvent*>(event)->reason()))
            form_.CB_CVeskManual.Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MasterWindow::closeEvent(QCloseEvent* event) {
    // Closing never asks and is never refused.
    event->accept();
    if (OnClose)
        OnClose();
}

} // namespace qntcalc
