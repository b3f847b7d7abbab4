#include "ui/qt/ControlViews.h"

#include "ui/qt/FieldEdit.h"
#include "ui/qt/QtText.h"
#include "ui/qt/StatusPanel.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>

namespace qntcalc {

void MirrorWidget(const Control& control, QWidget* widget) {
    widget->setVisible(control.Visible());
    widget->setEnabled(control.Enabled());
    const QString hint = ToQString(control.Hint());
    if (widget->toolTip() != hint)
        widget->setToolTip(hint);
}

ControlViews::ControlViews(ControlSet& controls) : controls_(controls) {
    controls_.AddObserver(this);
}

ControlViews::~ControlViews() {
    controls_.RemoveObserver(this);
}

void ControlViews::Register(const Control& control, QObject* view, std::function<void()> mirror) {
    view->setObjectName(ToQString(control.Name()));
    views_[control.Name()] = view;
    shown_[view] = &control;
    bindings_[&control].mirror = std::move(mirror);
}

void ControlViews::AfterMirror(const Control& control, std::function<void()> step) {
    bindings_[&control].after.push_back(std::move(step));
}

void ControlViews::Mirror(const Control& control) const {
    const auto found = bindings_.find(&control);
    if (found == bindings_.end())
        return;
    if (found->second.mirror)
        found->second.mirror();
    for (const std::function<void()>& step : found->second.after)
        step();
}

void ControlViews::MirrorAll() const {
    for (const Control* control : controls_.All())
        Mirror(*control);
}

QObject* ControlViews::ViewOf(std::string_view name) const {
    const auto found = views_.find(std::string(name));
    return found == views_.end() ? nullptr : found->second;
}

const Control* ControlViews::ControlOf(const QObject* view) const {
    const auto found = shown_.find(view);
    return found == shown_.end() ? nullptr : found->second;
}

void ControlViews::Title(Label& caption, QWidget* window, bool marksModified) {
    Register(caption, window, [window, &caption, marksModified] {
        QString title = ToQString(caption.Caption());
        // A doubled placeholder is Qt's escape for one shown as it is.
        if (marksModified)
            title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) += QStringLiteral("[*]");
        window->setWindowTitle(title);
    });
}

FieldEdit* ControlViews::Edit(EditField& field, QWidget* parent) {
    auto* edit = new FieldEdit(parent);
    edit->SetMenuShortcuts(shortcuts_);
    Register(field, edit, [edit, &field] {
        MirrorWidget(field, edit);
        // Only a real change is written, so the cursor stays where it is
        // while the user types.
        const QString text = ToQString(field.Text());
        if (edit->text() != text) {
            edit->setText(text);
            // A text too long for the field shows its start, not its end.
            if (!edit->hasFocus())
                edit->setCursorPosition(0);
        }
        edit->setReadOnly(field.ReadOnly());
    });
    QObject::connect(edit, &QLineEdit::textEdited, &connections_,
                     [this, &field](const QString& text) {
                         field.SetText(text.toStdString());
                         Mirror(field);
                     });
    QObject::connect(edit, &FieldEdit::entered, &connections_, [&field] { field.Enter(); });
    QObject::connect(edit, &FieldEdit::left, &connections_, [&field] { field.Leave(); });
    return edit;
}

QLabel* ControlViews::Text(Label& label, QWidget* parent) {
    auto* view = new QLabel(parent);
    view->setTextFormat(Qt::PlainText);
    Register(label, view, [view, &label] {
        MirrorWidget(label, view);
        const QString caption = ToQString(label.Caption());
        if (view->text() != caption)
            view->setText(caption);
    });
    return view;
}

QGroupBox* ControlViews::Group(Label& label, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    Register(label, group, [group, &label] {
        MirrorWidget(label, group);
        group->setTitle(Literal(label.Caption()));
    });
    return group;
}

QFrame* ControlViews::Frame(Label& label, QWidget* parent) {
    auto* frame = new QFrame(parent);
    Register(label, frame, [frame, &label] { MirrorWidget(label, frame); });
    return frame;
}

QCheckBox* ControlViews::Check(CheckBox& box, QWidget* parent) {
    auto* view = new QCheckBox(parent);
    Register(box, view, [view, &box] {
        MirrorWidget(box, view);
        view->setText(Literal(box.Caption()));
        view->setChecked(box.Checked());
    });
    QObject::connect(view, &QCheckBox::clicked, &connections_, [this, &box](bool checked) {
        box.UserSetChecked(checked);
        Mirror(box);
    });
    return view;
}

QRadioButton* ControlViews::Radio(RadioButton& button, QWidget* parent) {
    auto* view = new QRadioButton(parent);
    // The model keeps its groups exclusive and may select none, which
    // Qt's own exclusive groups cannot show.
    view->setAutoExclusive(false);
    Register(button, view, [view, &button] {
        MirrorWidget(button, view);
        view->setText(Literal(button.Caption()));
        view->setChecked(button.Checked());
    });
    QObject::connect(view, &QRadioButton::clicked, &connections_, [this, &button] {
        button.UserSelect();
        // A click on the selected button would untick it in Qt.
        Mirror(button);
    });
    return view;
}

namespace {

// Opens with every entry in view, up to maxVisibleItems. The default style
// draws the open list as a menu whose entries are wider than the box; it
// scrolls sideways for a moment, and the scroll arrows that this brings
// stay and cut off the last entry.
class WholeListBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        QComboBox::showPopup();
        QAbstractItemView* entries = view();
        QWidget* popup = entries->window();
        const int rows = std::min(count(), maxVisibleItems());
        int needed = 0;
        for (int row = 0; row < rows; ++row)
            needed += entries->sizeHintForRow(row);
        // Twice: the arrows go once all is in view, and give their room back.
        for (int pass = 0; pass < 2; ++pass) {
            const int missing = needed - entries->viewport()->height();
            if (missing == 0)
                break;
            popup->resize(popup->width(), popup->height() + missing);
        }
    }
};

} // namespace

QComboBox* ControlViews::Combo(ComboBox& box, QWidget* parent) {
    auto* view = new WholeListBox(parent);
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
    QObject::connect(view, &QComboBox::activated, &connections_, [this, &box](int index) {
        box.UserSelect(index);
        Mirror(box);
    });
    return view;
}

QMenu* ControlViews::Menu(Label& title, QMenuBar* bar) {
    QMenu* menu = bar->addMenu(QString());
    Register(title, menu, [menu, &title] {
        menu->setTitle(QLatin1Char('&') + Literal(title.Caption()));
        menu->menuAction()->setVisible(title.Visible());
        menu->menuAction()->setEnabled(title.Enabled());
    });
    return menu;
}

QAction* ControlViews::Action(MenuItem& item, QMenu* menu) {
    const bool separator = item.Caption() == "-";
    QAction* action = separator ? menu->addSeparator() : menu->addAction(QString());
    action->setCheckable(item.Group() != nullptr);
    if (!item.Shortcut().empty()) {
        const QKeySequence shortcut(ToQString(item.Shortcut()));
        action->setShortcut(shortcut);
        shortcuts_ << shortcut;
    }
    Register(item, action, [action, &item] {
        if (!action->isSeparator())
            action->setText(Literal(item.Caption()));
        action->setVisible(item.Visible());
        action->setEnabled(item.Enabled());
        action->setChecked(item.Checked());
    });
    if (separator)
        return action;
    QObject::connect(action, &QAction::triggered, &connections_, [this, &item] {
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

void ControlViews::Pages(PageControl& pages, QTabWidget* tabs) {
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
    QObject::connect(tabs, &QTabWidget::currentChanged, &connections_, [this, &pages](int index) {
        pages.UserSelectPage(index);
        Mirror(pages);
    });
}

void ControlViews::Indicator(IndicatorBar& bar, QProgressBar* view) {
    Register(bar, view, [view, &bar] {
        MirrorWidget(bar, view);
        // A zero range would turn the bar into a busy indicator.
        view->setRange(0, std::max(bar.Maximum(), 1));
        view->setValue(bar.ShownPosition());
    });
}

void ControlViews::Status(StatusBar& status, QStatusBar* view, StatusPanel* panel0,
                          StatusPanel* panel1) {
    Register(status, view, [view, panel0, panel1, &status] {
        MirrorWidget(status, view);
        StatusPanel* const panels[] = {panel0, panel1};
        for (int panel = 0; panel < 2; ++panel) {
            const QString tip = view->currentMessage();
            panels[panel]->SetText(panel == 1 && !tip.isEmpty()
                                       ? tip
                                       : ToQString(status.PanelText(panel)));
        }
        // An empty palette gives the normal window colour back.
        QPalette palette;
        if (status.Colour() == StatusColour::Red)
            palette.setColor(QPalette::Window, QColor(255, 0, 0));
        view->setPalette(palette);
    });
    // The bar's own place for such messages lies under the panels.
    QObject::connect(view, &QStatusBar::messageChanged, &connections_,
                     [this, &status] { Mirror(status); });
}

} // namespace qntcalc
