#pragma once

#include "../app/WindowFixture.h"
#include "print/qt/PrintCommands.h"
#include "print/qt/PrintSheetWindow.h"

#include <functional>

#include <QApplication>
#include <QTimer>

// Widget tests of the print sheet and the About box on Qt's offscreen
// platform. The main window is the toolkit-free model with its defaults;
// message boxes and help are recorded, never shown.
namespace qntcalc::testing {

// Runs `whileOpen` on the next modal window as soon as it is shown. A modal
// window still open afterwards fails the test and is closed, so that no
// test can hang on it.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> whileOpen);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int seen = 0;

private:
    void Check();

    std::function<void(QWidget*)> whileOpen_;
    QTimer timer_;
};

// The print sheet over a started main window, with its commands bound to
// both windows' menus. The clipboard starts empty.
class SheetWindowTest : public WindowTest {
protected:
    SheetWindowTest();
    ~SheetWindowTest() override;

    template <class View> View* ViewOf(std::string_view name) {
        View* view = window.ViewAs<View>(name);
        EXPECT_NE(view, nullptr) << name;
        return view;
    }
    QString ShownText(std::string_view field);
    void TriggerSheetItem(std::string_view name);

    TPrintForm sheet{*form, "1.3.2.1"};
    PrintSheetWindow window{sheet, help};
    PrintCommands commands{window, messages};
};

// The caption every print and clipboard failure is shown with.
inline constexpr char kErrorCaption[] = "Quarnet Calculator";

} // namespace qntcalc::testing
