#pragma once

#include "print/PrintForm.h"
#include "ui/Platform.h"
#include "ui/qt/ControlViews.h"

#include <vector>

#include <QDialog>
#include <QImage>

namespace qntcalc {

// The print sheet on screen: a fixed page of 460 x 596 pixels that shows
// TPrintForm's controls, made by the binding kit, at their design
// positions. It decides nothing and nothing on it can be edited; it
// refreshes the model from the main window whenever it is shown or becomes
// the active window. Printing and the clipboard are PrintCommands', its
// menu items run what the program wired to them.
//
// Every model control has one view (widget, action or menu) whose object
// name is the control's name; the window itself is "PrintForm".
class PrintSheetWindow : public QDialog {
    Q_OBJECT
public:
    // `sheet` must outlive the window.
    PrintSheetWindow(TPrintForm& sheet, HelpSystem& help, QWidget* parent = nullptr);

    TPrintForm& Sheet() { return sheet_; }

    // What is printed and copied: the page without title bar, border or menu.
    QWidget* ClientArea() const { return client_; }
    // A picture of the client area, (460 x 596) * scale pixels.
    QImage ClientImage(qreal scale = 1.0) const;

    // Shown modally until the user closes it.
    void ShowModal();

    // Every view by its control's name, and the control of every view.
    const ControlViews& Views() const { return views_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildClientArea();
    void BuildMenu();
    QWidget* CreateView(Control& control, const Placement& place);
    void Place(QWidget* view, const Placement& place);
    // The sheet's size is fixed and fonts differ between platforms: the
    // whole sheet takes the largest font, up to the design's, at which no
    // text runs into its neighbour.
    void FitFonts();
    bool Crowded(const QWidget* view) const;

    TPrintForm& sheet_;
    HelpSystem& help_;
    ControlViews views_;
    QWidget* client_ = nullptr;
    struct PlacedView {
        QWidget* view;
        const Placement* place;
    };
    std::vector<PlacedView> placed_;
    // Fonts are fitted once every control has its place.
    bool placing_ = true;
};

} // namespace qntcalc
