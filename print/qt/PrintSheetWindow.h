#pragma once

#include "app/Platform.h"
#include "app/qt/ControlViews.h"
#include "print/PrintForm.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QDialog>
#include <QImage>

class QMenu;

namespace qntcalc {

// The print sheet on screen: a fixed page of 460 x 596 pixels that shows
// TPrintForm's controls at their design positions. It decides nothing and
// nothing on it can be edited; it follows the model through ControlChanged
// and refreshes the model from the main window whenever it is shown or
// becomes the active window. Printing and the clipboard are PrintCommands'.
//
// Every model control has one view (widget, action or menu) whose object
// name is the control's name; the window itself is "PrintForm".
class PrintSheetWindow : public QDialog, private ControlObserver {
    Q_OBJECT
public:
    // `sheet` must outlive the window.
    PrintSheetWindow(TPrintForm& sheet, HelpSystem& help, QWidget* parent = nullptr);
    ~PrintSheetWindow() override;

    TPrintForm& Sheet() { return sheet_; }

    // What is printed and copied: the page without title bar, border or menu.
    QWidget* ClientArea() const { return client_; }
    // A picture of the client area, (460 x 596) * scale pixels.
    QImage ClientImage(qreal scale = 1.0) const;

    // Shown modally until the user closes it.
    void ShowModal();

    QObject* ViewOf(std::string_view name) const { return views_.ViewOf(name); }
    template <class View> View* ViewAs(std::string_view name) const {
        return qobject_cast<View*>(ViewOf(name));
    }
    const Control* ControlOf(const QObject* view) const { return views_.ControlOf(view); }

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
    void Register(const Control& control, QObject* view, std::function<void()> mirror) {
        views_.Register(control, view, std::move(mirror));
    }
    void ControlChanged(const Control& control) override { Mirror(control); }
    void Mirror(const Control& control) { views_.Mirror(control); }

    TPrintForm& sheet_;
    HelpSystem& help_;
    QWidget* client_ = nullptr;
    struct PlacedView {
        QWidget* view;
        const Placement* place;
    };
    std::vector<PlacedView> placed_;
    // Fonts are fitted once every control has its place.
    bool placing_ = true;
    ControlViews views_;
};

} // namespace qntcalc
