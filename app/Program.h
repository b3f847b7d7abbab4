#pragma once

#include "about/qt/AboutForm.h"
#include "app/MasterWindow.h"
#include "print/PrintForm.h"
#include "print/qt/PrintCommands.h"
#include "print/qt/PrintSheetWindow.h"
#include "project/FileCommands.h"
#include "project/RecentFiles.h"
#include "ui/Globals.h"
#include "ui/Platform.h"
#include "ui/WindowPlaceSection.h"
#include "window/MasterForm.h"

#include <memory>
#include <string>
#include <vector>

namespace qntcalc {

class RecentFilesMenu;
class ReportExport;
class WhatIfWindow;
class HelpWindow;

struct PlatformServices {
    MessageBoxes& messages;
    FileDialogs& dialogs;
    HelpSystem& help;
};

// The program: its windows, created once in a fixed order, and every
// command wired to them, here and nowhere else. The windows and commands
// know nothing of each other; a menu item runs what its Wire function
// gives it, and the Qt windows' signals are connected there too.
//
// Order: the main window (whose create handler reads the settings file and
// calculates), the version texts (which the About box would set) and the
// print sheet (which copies both). What the first window does not need is
// built on first use, so that the program starts faster: the About box,
// the What-if window, the print sheet's window and printing. The About box
// and the What-if window belong to the main window as its Qt children;
// everything else belongs to this object, which outlives every handler it
// sets. Closing the main window, unless the question about unsaved changes
// is cancelled, writes the settings file and ends the event loop, even while
// the help window is open.
class Program {
public:
    // `today` is the date in the system's short date format.
    Program(Globals& globals, const PlatformServices& platform, const std::string& today);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void ShowMainWindow();
    // Opens the project named among the program's arguments (the first is
    // the program's own name) as File > Open would; ignores the others. The
    // arguments are the bytes given, which need not be UTF-8.
    void OpenArguments(const std::vector<std::string>& arguments);

    TMasterForm& Form() { return *form_; }
    MasterWindow& Window() { return *window_; }
    FileCommands& Commands() { return *commands_; }
    TPrintForm& PrintForm() { return *printForm_; }
    // Built by the first call.
    TAboutForm& AboutBox();
    PrintSheetWindow& PrintSheet();
    PrintCommands& Printing();
    HelpWindow& HelpViewer();
    // Null until Options > What-if first opens it.
    WhatIfWindow* WhatIfIfOpened() const { return whatIf_; }
    // File > Export report...'s runs, built by the first call.
    ReportExport& Reports();

private:
    void WireFileMenu();
    void WirePrintMenus();
    void WireOwnMenus();
    void WireHelpMenu();
    void WireWindows();
    void WireWhatIf();
    void WireReport();
    void ExportReport();
    void ShowWhatIf();
    // Edit > Undo or Redo, with the focused field entered anew.
    void UndoStep(void (UndoHistory::*step)());

    // Desktop state in the settings file, kept until the very end.
    RecentFiles recentFiles_;
    WindowPlaceSection windowPlace_;

    Globals& globals_;
    PlatformServices platform_;
    std::unique_ptr<TMasterForm> form_;
    std::unique_ptr<MasterWindow> window_;
    // A Qt child of the main window, so it outlives the commands' use of
    // its settings.
    WhatIfWindow* whatIf_ = nullptr;
    // A Qt child of the main window too: its thread is waited for before
    // the window goes.
    ReportExport* reports_ = nullptr;
    std::unique_ptr<FileCommands> commands_;
    TAboutForm* about_ = nullptr;
    std::unique_ptr<TPrintForm> printForm_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::unique_ptr<PrintSheetWindow> printWindow_;
    std::unique_ptr<PrintCommands> printCommands_;
    std::unique_ptr<RecentFilesMenu> recentMenu_;
};

} // namespace qntcalc
