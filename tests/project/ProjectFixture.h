#pragma once

#include "TempDirTest.h"
#include "project/FileCommands.h"
#include "project/ProjectFile.h"
#include "tests/app/WindowFixture.h"

#include <deque>
#include <memory>
#include <ostream>
#include <utility>
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

// Everything a project file restores, as one comparable record.
struct WindowSnapshot {
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::pair<std::string, bool>> states;
    int routerType, repeaterType, page;
    bool operator==(const WindowSnapshot&) const = default;
};

inline WindowSnapshot Snapshot(const TMasterForm& f) {
    WindowSnapshot s;
    for (const EditField* e :
         {&f.Ed_Project,    &f.Ed_Mainpath,   &f.Ed_MainBaud, &f.Ed_DropMax,    &f.Ed_DropTot,
          &f.Ed_NumRouters, &f.Ed_RouterCorr, &f.Ed_LongSeg,  &f.Ed_MDSeg,      &f.Ed_NumRepeater,
          &f.Ed_LRepeater,  &f.Ed_LoadFact,   &f.Ed_NumIOD,   &f.Ed_NumVesk,    &f.Ed_NumInp,
          &f.Ed_NumInpCycl, &f.Ed_InpCycl,    &f.Ed_NumOut,   &f.Ed_NumOutCycl, &f.Ed_OutCycl})
        s.texts.emplace_back(e->Name(), e->Text());
    for (const CheckBox* b : {&f.CB_Routers, &f.CB_Repeaters, &f.CB_DropLines, &f.CB_CVeskManual})
        s.states.emplace_back(b->Name(), b->Checked());
    for (const RadioButton* r : {&f.RB_Main, &f.RB_Baud, &f.RB_Vesk1, &f.RB_Vesk3})
        s.states.emplace_back(r->Name(), r->Checked());
    for (const MenuItem* m : {&f.Standard, &f.Expert, &f.Baudratemode})
        s.states.emplace_back(m->Name(), m->Checked());
    s.routerType = f.CB_RouterType.ItemIndex();
    s.repeaterType = f.CB_RepeaterType.ItemIndex();
    s.page = f.PageControl1.ActivePageIndex();
    return s;
}

inline void PrintTo(const WindowSnapshot& s, std::ostream* os) {
    for (const auto& [name, text] : s.texts)
        *os << name << '=' << text << ' ';
    for (const auto& [name, on] : s.states)
        *os << name << '=' << on << ' ';
    *os << "router=" << s.routerType << " repeater=" << s.repeaterType << " page=" << s.page;
}

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
