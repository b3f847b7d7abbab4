#pragma once

#include "project/FileCommands.h"
#include "tests/support/PlatformDoubles.h"
#include "tests/support/TempDir.h"
#include "window/MasterForm.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The one fixture for the headless main window.
namespace qntcalc::testing {

// The File menu's items on the commands, as the program wires them.
inline void WireFileMenu(TMasterForm& form, FileCommands& commands) {
    form.Open.OnClick = [&commands] { commands.OpenClick(); };
    form.Save.OnClick = [&commands] { commands.SaveClick(); };
    form.SaveAs.OnClick = [&commands] { commands.SaveAsClick(); };
    form.Exit.OnClick = [&commands] { commands.ExitClick(); };
    form.Undo.OnClick = [&commands] { commands.History().Undo(); };
    form.Redo.OnClick = [&commands] { commands.History().Redo(); };
}

// A main window as the program has it after start-up without a settings
// file: control defaults and one calculation, with its File commands and
// nothing to undo. It
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
        commands->History().Reset();
    }
    ~WindowTest() override {
        commands.reset();
        form.reset();
        std::filesystem::current_path(previous_);
    }

    TMasterForm& NewWindow() {
        commands.reset();
        form = std::make_unique<TMasterForm>(globals, messages, help, "07.12.2026");
        WireOwnMenuItems(*form);
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

// What a user does to a field of a window set up without the fixture.
inline void Type(TMasterForm& f, EditField C::*edit, const std::string& text) {
    (f.*edit).Enter();
    (f.*edit).SetText(text);
}

} // namespace qntcalc::testing
