#pragma once

#include "ui/Controls.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QWidget;

namespace qntcalc {

class FieldEdit;
class StatusPanel;

// Visibility, enabled state and hint, common to every widget.
void MirrorWidget(const Control& control, QWidget* widget);

// The binding kit of every Qt window. Each factory makes the view (widget,
// action or menu) of one model control, names it after the control, shows
// what the control holds now and after every change the model reports, and
// hands only the user's own actions back to the model: it connects the
// signals that the user alone raises (textEdited, clicked, activated,
// triggered) and blocks the others while it mirrors. A window decides where
// its views go; what it adds to the mirroring of a control (a place on a
// fixed page) goes into AfterMirror.
//
// It decides nothing and reads no model state other than its own control's.
class ControlViews : private ControlObserver {
public:
    // Follows every control of the set, which must outlive this.
    explicit ControlViews(ControlSet& controls);
    ~ControlViews() override;
    ControlViews(const ControlViews&) = delete;
    ControlViews& operator=(const ControlViews&) = delete;

    // The window's own title; with `marksModified` it shows the window's
    // modified state as the platform does (QWidget::setWindowModified).
    void Title(Label& caption, QWidget* window, bool marksModified = false);
    // Every menu shortcut made before it goes to the menu, not the field.
    FieldEdit* Edit(EditField& field, QWidget* parent = nullptr);
    QLabel* Text(Label& label, QWidget* parent = nullptr);
    QGroupBox* Group(Label& label, QWidget* parent = nullptr);
    QFrame* Frame(Label& label, QWidget* parent = nullptr);
    QCheckBox* Check(CheckBox& box, QWidget* parent = nullptr);
    QRadioButton* Radio(RadioButton& button, QWidget* parent = nullptr);
    QComboBox* Combo(ComboBox& box, QWidget* parent = nullptr);
    QMenu* Menu(Label& title, QMenuBar* bar);
    // An item whose caption is "-" is a separator.
    QAction* Action(MenuItem& item, QMenu* menu);
    void Pages(PageControl& pages, QTabWidget* tabs);
    void Indicator(IndicatorBar& bar, QProgressBar* view);
    // The bar's two panels, 0 and 1. A status tip (of a menu item under the
    // mouse) shows in panel 1 for as long as it lasts.
    void Status(StatusBar& status, QStatusBar* view, StatusPanel* panel0, StatusPanel* panel1);

    // Runs after the control's own mirroring, every time.
    void AfterMirror(const Control& control, std::function<void()> step);
    void Mirror(const Control& control) const;
    // Every view shows its control; for a window that has built them all.
    void MirrorAll() const;

    // The shortcuts of the actions made so far.
    const QList<QKeySequence>& Shortcuts() const { return shortcuts_; }

    QObject* ViewOf(std::string_view name) const;
    template <class View> View* ViewAs(std::string_view name) const {
        return qobject_cast<View*>(ViewOf(name));
    }
    // The model control that a view shows, or null.
    const Control* ControlOf(const QObject* view) const;

private:
    struct Binding {
        std::function<void()> mirror;
        std::vector<std::function<void()>> after;
    };

    void Register(const Control& control, QObject* view, std::function<void()> mirror);
    void ControlChanged(const Control& control) override { Mirror(control); }

    ControlSet& controls_;
    std::unordered_map<const Control*, Binding> bindings_;
    std::unordered_map<std::string, QObject*> views_;
    std::unordered_map<const QObject*, const Control*> shown_;
    QList<QKeySequence> shortcuts_;
    // The context of every connection made here: they end with the kit,
    // before the window deletes its widgets.
    QObject connections_;
};

} // namespace qntcalc
