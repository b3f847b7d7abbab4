#pragma once

#include "base/Result.h"
#include "fileio/Paths.h"
#include "fileio/SettingsSection.h"
#include "project/ProjectChanges.h"
#include "project/RecentFiles.h"
#include "project/SettingsFile.h"
#include "ui/Controls.h"
#include "ui/Globals.h"
#include "ui/Platform.h"
#include "window/UndoHistory.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qntcalc {

class TMasterForm;

// The File menu's project commands and the window's create and close
// handlers, which read and write the settings file (SettingsFile). The
// program wires them to the menu items (app/Program.cpp).
//
// A command that fails changes nothing: Open reads and checks the whole
// file before it touches a control or the file, and Save as takes the new
// name only after the write has worked.
//
// Unsaved changes to the open project are never lost silently: before Open,
// a recent file or a close replaces or ends the window, a question offers
// to save them, to discard them or to cancel the command. Changes discarded
// at a close do not live on in the settings file either: it keeps the
// project as last opened or saved, beside the window's own state.
class FileCommands {
public:
    FileCommands(TMasterForm& form, Globals& globals, FileDialogs& dialogs, MessageBoxes& messages,
                 PathStyle style = kNativePathStyle);

    void FormCreate();
    void FormClose();
    void OpenClick();
    // Open without the dialog (a file named on the command line): the same
    // checks, the same box on failure, and nothing changed then. The path
    // becomes ProjectFile as it is.
    Result OpenFile(const std::string& path);
    // A recent file that has gone away leaves the list after its box.
    void OpenRecent(const std::string& path);
    void SaveClick();
    void SaveAsClick();
    // Asks about unsaved changes; unless cancelled, writes the settings
    // file, then asks the view to close the window, whose close runs
    // FormClose.
    void ExitClick();
    // Whether the window may close now, after the question about unsaved
    // changes unless it was answered for this content already (by Exit, or
    // at the end of the desktop session).
    bool FormCloseQuery();
    // The desktop session ends: whether it may, after the question when
    // `mayAsk` grants one. Without one nothing is asked or saved, and the
    // close that follows asks nothing either.
    bool CommitData(const std::function<bool()>& mayAsk);

    // Whether the window differs from its project file.
    ProjectChanges& Changes() { return changes_; }
    // Edit > Undo and Redo; each project read starts it anew, and it keeps
    // the menu items enabled while they have something to do.
    UndoHistory& History() { return history_; }

    // QntCalc.ini in the start directory; none for the rest of the run when
    // the start directory is unknown or what lay there at start could not be
    // used.
    std::optional<std::string> SettingsPath() const;
    void ReadSettingsFromFile();
    void WriteSettingsToFile();
    // What became of a settings file that could not be used at start, for
    // a user who never sees standard error. The program shows it once the
    // window is shown; it is shown once, in an information box.
    const std::optional<std::string>& StartNotice() const { return settings_.StartNotice(); }
    void ShowStartNotice();
    // Keeps `section` in the settings file from now on; when the settings
    // have been read already, it reads its part at once.
    void AddSettingsSection(SettingsSection& section);
    // Every project opened or saved from now on goes first in `recent`,
    // which the settings file keeps.
    void KeepRecentFiles(RecentFiles& recent);

    // Set by the program: close the main window.
    Handler OnCloseRequested;

private:
    void SetCaption();
    // Shows a failed write, and what failed after it, in one box.
    const Result& ShowSaveError(const Result& written);
    bool Save();
    // The window holds what its project file holds.
    void MarkSaved();
    // The question at a close was answered for the window as it is now.
    bool Answered() const;
    bool NothingToAsk() const;
    // The project as last opened or saved, for the settings file when the
    // user chose at this close to discard the window's changes; null else.
    const std::string* DiscardedAtClose() const;
    // False when the user cancels or the save fails; `discarded` is set
    // when the changes are to go.
    bool SaveChangesFirst(bool* discarded = nullptr);
    std::string InitialDir() const;

    TMasterForm& form_;
    Globals& globals_;
    FileDialogs& dialogs_;
    MessageBoxes& messages_;
    PathStyle style_;
    SettingsFile settings_;
    RecentFiles* recent_ = nullptr;
    ProjectChanges changes_;
    UndoHistory history_;
    // The content whose unsaved changes the user answered for at a close,
    // and whether by discarding them rather than keeping them unsaved.
    struct CloseAnswer {
        std::string content;
        bool discarded = false;
    };
    std::optional<CloseAnswer> closeAnswered_;
};

// The project file named among the program's arguments (without the
// program's own name), made absolute against the working directory: the
// first one that is not empty and does not begin with '-', or after "--"
// the first one that is not empty.
std::optional<std::string> ProjectFileArgument(std::span<const std::string> arguments);

} // namespace qntcalc
