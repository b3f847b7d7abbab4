#pragma once

#include "app/MasterForm.h"
#include "app/qt/ControlViews.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QMainWindow>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QRadioButton;
class QTabWidget;

namespace qntcalc {

class FieldEdit;

// The main window on screen. It shows TMasterForm's controls and hands the
// user's actions to them, and decides nothing itself: what it shows comes
// from the model through ControlChanged, and what the program changes in a
// widget is never reported back as if the user had done it.
//
// Every model control has one view (widget, action or menu) whose object
// name is the control's name.
class MasterWindow : public QMainWindow, private ControlObserver {
    Q_OBJECT
public:
    explicit MasterWindow(TMasterForm& form, QWidget* parent = nullptr);
    ~MasterWindow() override;

    QObject* ViewOf(std::string_view name) const { return views_.ViewOf(name); }
    template <class View> View* ViewAs(std::string_view name) const {
        return qobject_cast<View*>(ViewOf(name));
    }
    // The model control that a view shows, or null.
    const Control* ControlOf(const QObject* view) const { return views_.ControlOf(view); }

    // Runs once for every close of the window, by whatever means.
    std::function<void()> OnClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout: the widgets in the places the window draws them.
    void BuildMenu();
    QWidget* BuildProjectGroup();
    QTabWidget* BuildPages();
    QWidget* BuildNetworkPage();
    QWidget* BuildDevicesPage();
    QWidget* BuildInputsPage();
    QWidget* BuildOutputsPage();
    QWidget* BuildRoutersPage();
    QWidget* BuildRepeatersPage();
    QWidget* BuildDropLinesPage();
    QWidget* BuildResultsPage();
    void BuildBottom(QWidget* central);
    QGridLayout* PageGrid(QWidget* page) const;
    int FieldWidth() const;

    // Binding: one view per model control, mirrored from it and passing
    // only the user's own actions into it.
    FieldEdit* Edit(EditField& field);
    FieldEdit* ResultEdit(EditField& field);
    QLabel* Text(Label& label);
    QGroupBox* Group(Label& label);
    QCheckBox* Check(CheckBox& box);
    QRadioButton* Radio(RadioButton& button);
    QComboBox* Combo(ComboBox& box);
    QMenu* Menu(Label& title);
    QAction* Action(MenuItem& item, QMenu* menu);
    void BindPages(PageControl& pages, QTabWidget* tabs);
    void BindIndicator(IndicatorBar& bar, QProgressBar* view);
    void BindStatus(StatusBar& status);
    void BindWindow(Label& caption);
    void Register(const Control& control, QObject* view, std::function<void()> mirror) {
        views_.Register(control, view, std::move(mirror));
    }

    void ControlChanged(const Control& control) override { Mirror(control); }
    void Mirror(const Control& control) { views_.Mirror(control); }
    void ShowContextHelp(const QObject* focused);

    TMasterForm& form_;
    ControlViews views_;
    QList<QKeySequence> menuShortcuts_;
    QTabWidget* tabs_ = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    QMenu* fileMenu_ = nullptr;
};

} // namespace qntcalc
