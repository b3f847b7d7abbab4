#pragma once

#include "TempDirTest.h"
#include "project/FileCommands.h"
#include "project/ProjectFile.h"
#include "tests/app/WindowFixture.h"

#include <deque>
#include <memory>
#include <unistd.h>

namespace qntcalc::testing {

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

// A temporary directory that is also the working directory, so the window
// takes it as its start directory; the window is built on demand.
class ProjectTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        globals.ProgramName = "Qnt Calculator";
        globals.ProgramVersion = "1.3.2.1";
    }
    void TearDown() override {
        commands.reset();
        form.reset();
        std::filesystem::current_path(previous_);
        TempDirTest::TearDown();
    }

    // A window as after construction, without reading any file.
    TMasterForm& NewWindow() {
        commands.reset();
        form = std::make_unique<TMasterForm>(globals, messages, help, "07.12.2026");
        commands = std::make_unique<FileCommands>(*form, globals, dialogs, messages);
        return *form;
    }

    void Type(EditField& edit, const std::string& text) {
        edit.Enter();
        edit.SetText(text);
    }

    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMasterForm> form;
    std::unique_ptr<FileCommands> commands;

private:
    std::filesystem::path previous_;
};

} // namespace qntcalc::testing
