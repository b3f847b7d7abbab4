#pragma once

#include "app/MasterWindow.h"
#include "app/Program.h"
#include "tests/support/WindowFixture.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QLineEdit>
#include <QString>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

// The one fixture for the widget tests: the whole program on the offscreen
// platform, started in a fresh working directory, with the message boxes,
// file dialogs and help replaced by doubles. A message box, a modal window
// or an escaped error that the test did not announce fails the test.
namespace qntcalc::testing {

// Records, beside each box, the window it would go over.
class ExpectedMessages : public RecordingMessages {
public:
    ExpectedMessages() : RecordingMessages(Unannounced::Fail) {}
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override;

    std::vector<QWidget*> over;
};

// Runs `whileOpen` on the next modal window as soon as it is shown. A modal
// window still open afterwards fails the test and is closed, so that no
// test can hang on it. While a watcher lives, modal windows are its own.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> whileOpen);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    static bool Watching() { return active_ != nullptr; }

    int seen = 0;

private:
    void Check();

    static ModalWatcher* active_;
    std::function<void(QWidget*)> whileOpen_;
    QTimer timer_;
};

// The caption every print and clipboard failure is shown with.
inline constexpr char kErrorCaption[] = "Quarnet Calculator";

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    void SetUp() override;
    void TearDown() override;
    // Starts the program (anew) in the test's working directory, unshown.
    void StartProgram();

    TMasterForm& Form() { return program->Form(); }
    TMasterForm& f() { return program->Form(); }
    MasterWindow& Window() { return program->Window(); }
    template <class View> View* ViewOf(std::string_view name) {
        View* view = Window().Views().ViewAs<View>(name);
        EXPECT_NE(view, nullptr) << name;
        return view;
    }
    QLineEdit* EditView(std::string_view name) { return ViewOf<QLineEdit>(name); }
    // The main window's title as the window system gets it.
    QString ShownTitle();

    // Shows the page that holds the widget, as a user would by its tab.
    void ShowPageOf(QWidget* widget);
    // A user's mouse click into the field, Ctrl+A, then the keys of text.
    void Type(std::string_view field, const QString& text);
    // The same on the model alone: focus the field, replace its text.
    void Type(EditField& edit, const std::string& text) {
        edit.Enter();
        edit.SetText(text);
    }
    void Trigger(std::string_view menuItem);
    // File > Export report... and the wait for its thread.
    void ExportReport();
    QString StatusText();
    bool StatusRed();
    QString Path(const QString& name) const { return dir.filePath(name); }

    // A modal window with this caption is expected next; it is closed as
    // soon as it shows, and counted.
    void ExpectModal(const QString& caption) { expectedModal_ = caption; }
    int modalsSeen = 0;
    // Errors that escaped an event handler; a test that expects one takes
    // it out.
    std::vector<QString> escapedErrors;

    TempDir temp;
    QDir dir{QString::fromStdString(temp.Dir().string())};
    Globals globals;
    ExpectedMessages messages;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    std::unique_ptr<Program> program;

private:
    void CheckModal();

    QString startDir_;
    QString expectedModal_;
    QTimer watchdog_;
};

// The program's print sheet with its commands. Message boxes are recorded
// rather than announced, and the clipboard starts empty. The references
// hold until TearDown ends the program.
class SheetWindowTest : public GuiTest {
protected:
    SheetWindowTest();

    template <class View> View* ViewOf(std::string_view name) {
        View* view = window.Views().ViewAs<View>(name);
        EXPECT_NE(view, nullptr) << name;
        return view;
    }
    QString ShownText(std::string_view field);
    void TriggerSheetItem(std::string_view name);

    TPrintForm& sheet;
    PrintSheetWindow& window;
    PrintCommands& commands;
};

// Every model control has a view named after it that shows what the model
// holds.
void ExpectMirrored(const ControlSet& controls, const ControlViews& views, const QWidget& window);
inline void ExpectMirrored(const TMasterForm& form, const MasterWindow& window) {
    ExpectMirrored(form.controls, window.Views(), window);
}
inline void ExpectMirrored(const PrintSheetWindow& window, const TPrintForm& sheet) {
    ExpectMirrored(sheet.controls, window.Views(), window);
}

} // namespace qntcalc::testing
