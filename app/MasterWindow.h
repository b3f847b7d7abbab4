#pragma once

#include "ui/qt/ControlViews.h"
#include "window/MasterForm.h"
#include "window/PageLayout.h"


#include <QMainWindow>

#include <functional>

class QCheckBox;
class QLabel;
class QMenu;
class QTabWidget;

namespace qntcalc {

class FieldEdit;
class StatusPanel;

// The main window on screen. It shows TMasterForm's controls through the
// binding kit and hands the user's actions to them, and decides nothing
// itself: what it shows comes from the model, and what the program changes
// in a widget is never reported back as if the user had done it. Its menu
// items run whatever the program wired to them.
//
// Every model control has one view (widget, action or menu) whose object
// name is the control's name.
class MasterWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MasterWindow(TMasterForm& form, QWidget* parent = nullptr);

    // Every view by its control's name, and the control of every view.
    const ControlViews& Views() const { return views_; }
    // The field that has the focus counts as entered anew: after Undo or
    // Redo changed what it shows, a refused value puts back what it shows
    // now.
    void EnterFocusedFieldAgain();

    // Set by the program: whether a close, by whatever means, may go on.
    std::function<bool()> CloseQuery;

signals:
    // Once for every close of the window that went on, by whatever means.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout: the views in the places the window draws them.
    void BuildMenu();
    QWidget* BuildProjectGroup();
    QTabWidget* BuildPages();
    QWidget* BuildPage(const page_layout::PageCells& cells);
    QWidget* ViewFor(Control& control, Page page);
    void BuildBottom(QWidget* central);
    int FieldWidth() const;

    // What this window adds to the kit's views.
    FieldEdit* Edit(EditField& field);
    FieldEdit* ResultEdit(EditField& field);
    QLabel* Text(Label& label);
    QCheckBox* Check(CheckBox& box);
    QMenu* Menu(Label& title);
    void ShowContextHelp(const QObject* focused);

    TMasterForm& form_;
    ControlViews views_;
    QTabWidget* tabs_ = nullptr;
    StatusPanel* statusPanels_[2] = {nullptr, nullptr};
    QMenu* fileMenu_ = nullptr;
};

} // namespace qntcalc
