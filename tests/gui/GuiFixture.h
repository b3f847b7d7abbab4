#pragma once

#include "app/qt/MasterWindow.h"
#include "app/qt/Program.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

// One fixture for the widget tests: the whole program on the offscreen
// platform, started in a fresh working directory, with the message boxes,
// file dialogs and help replaced by doubles. A message box or any modal
// window that the test did not announce fails the test.
namespace qntcalc::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    bool operator==(const ShownBox&) const = default;
};

inline void PrintTo(const ShownBox& box, std::ostream* os) {
    *os << '"' << box.caption << "\": \"" << box.text << '"';
}

inline const ShownBox kGreaterZeroBox{"Value must be greater than 0.", "Value Error"};

class ExpectedMessages : public MessageBoxes {
public:
    void Expect(ShownBox box) { expected_.push_back(std::move(box)); }
    void Show(std::string_view text, std::string_view caption) override;
    bool AllShown() const { return expected_.empty(); }

    // While true, every box is taken and recorded (start-up).
    bool acceptAll = false;
    std::vector<ShownBox> shown;

private:
    std::deque<ShownBox> expected_;
};

// Each call takes the next answer; a dialog without one fails the test.
class StubDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup& setup) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) override;

    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::vector<FileDialogSetup> openSetups;
    std::vector<FileDialogSetup> saveSetups;
};

class RecordingHelp : public HelpSystem {
public:
    void ShowContents() override { ++contents; }
    void ShowTopic(int topic) override { topics.push_back(topic); }
    int contents = 0;
    std::vector<int> topics;
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TMasterForm& Form() { return program->Form(); }
    MasterWindow& Window() { return program->Window(); }
    template <class View> View* ViewOf(std::string_view name) {
        View* view = Window().ViewAs<View>(name);
        EXPECT_NE(view, nullptr) << name;
        return view;
    }
    QLineEdit* EditView(std::string_view name) { return ViewOf<QLineEdit>(name); }

    // Shows the page that holds the widget, as a user would by its tab.
    void ShowPageOf(QWidget* widget);
    // A user's mouse click into the field, Ctrl+A, then the keys of text.
    void Type(std::string_view field, const QString& text);
    void Trigger(std::string_view menuItem);
    QString StatusText();
    bool StatusRed();
    QString Path(const QString& name) const { return dir.filePath(name); }

    // A modal window with this caption is expected next; it is closed as
    // soon as it shows, and counted.
    void ExpectModal(const QString& caption) { expectedModal_ = caption; }
    int modalsSeen = 0;

    QTemporaryDir dir;
    Globals globals;
    ExpectedMessages messages;
    StubDialogs dialogs;
    RecordingHelp help;
    std::unique_ptr<Program> program;

private:
    void CheckModal();

    QString startDir_;
    QString expectedModal_;
    QTimer watchdog_;
};

// Every model control has a view named after it that shows what the model holds.
void ExpectMirrored(const TMasterForm& form, const MasterWindow& window);

} // namespace qntcalc::testing
