#pragma once

#include "app/MasterForm.h"
#include "project/FileCommands.h"
#include "tests/support/TempDirTest.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The one fixture for the headless main window, and the doubles of the
// platform services that every window test shares.
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
inline const ShownBox kGreaterEqualZeroBox{"Value must be greater or equal 0.", "Value Error"};

class RecordingMessages : public MessageBoxes {
public:
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override {
        shown.push_back({std::string(text), std::string(caption)});
        kinds.push_back(kind);
    }
    std::vector<ShownBox> shown;
    std::vector<MessageKind> kinds; // of each shown box
};

class RecordingHelp : public HelpSystem {
public:
    void ShowContents() override { ++contents; }
    void ShowTopic(int topic) override { topics.push_back(topic); }
    int contents = 0;
    std::vector<int> topics;
};

// Answers the file dialogs from a queue and records what they were asked.
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup& setup) override {
        return Answer(setup);
    }
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup& setup) override {
        return Answer(setup);
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogSetup> asked;

private:
    std::optional<std::string> Answer(const FileDialogSetup& setup) {
        asked.push_back(setup);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The File menu's items on the commands, as the program wires them.
inline void WireFileMenu(TMasterForm& form, FileCommands& commands) {
    form.Open.OnClick = [&commands] { commands.OpenClick(); };
    form.Save.OnClick = [&commands] { commands.SaveClick(); };
    form.SaveAs.OnClick = [&commands] { commands.SaveAsClick(); };
    form.Exit.OnClick = [&commands] { commands.ExitClick(); };
}

// A main window as the program has it after start-up without a settings
// file: control defaults and one calculation, with its File commands. It
// runs in a fresh temporary directory, which is the working directory and
// so the window's start directory. NewWindow() starts a window afresh,
// without any calculation, for tests that lay out files first.
class WindowTest : public TempDirTest {
protected:
    WindowTest() : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir_);
        globals.ProgramName = "Qnt Calculator";
        globals.ProgramVersion = "1.3.2.1";
        NewWindow().Recalculate();
    }
    ~WindowTest() override {
        commands.reset();
        form.reset();
        std::filesystem::current_path(previous_);
    }

    TMasterForm& NewWindow() {
        commands.reset();
        form = std::make_unique<TMasterForm>(globals, messages, help, "07.12.2026");
        commands = std::make_unique<FileCommands>(*form, globals, dialogs, messages);
        WireFileMenu(*form, *commands);
        return *form;
    }

    // What a user does: focus the field, then replace its text.
    void Type(EditField& edit, const std::string& text) {
        edit.Enter();
        edit.SetText(text);
    }

    TMasterForm& f() { return *form; }
    const std::string& Status() const { return form->SB_Status.PanelText(1); }
    bool Red() const { return form->SB_Status.Colour() == StatusColour::Red; }
    bool TabShown(Page page) const { return form->PageControl1.TabVisible(static_cast<int>(page)); }

    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMasterForm> form;
    std::unique_ptr<FileCommands> commands;

private:
    std::filesystem::path previous_;
};

using C = MasterFormControls;

} // namespace qntcalc::testing
