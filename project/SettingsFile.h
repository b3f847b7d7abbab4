#pragma once

#include "base/Result.h"
#include "fileio/IniFile.h"
#include "fileio/Paths.h"
#include "fileio/SettingsSection.h"
#include "ui/Globals.h"
#include "ui/Platform.h"

#include <optional>
#include <string>
#include <vector>

namespace qntcalc {

class TMasterForm;

// The settings file QntCalc.ini in the start directory: the window as it
// was left, and the sections other parts of the program keep there. A
// settings file that holds no settings is never written over: it is kept
// under a backup name, or left alone for a run without settings.
class SettingsFile {
public:
    SettingsFile(TMasterForm& form, Globals& globals, MessageBoxes& messages, PathStyle style);

    // None for the rest of the run when the start directory is unknown or
    // what lay there at start could not be used.
    std::optional<std::string> SettingsPath() const;
    void Read();
    // The window's state, or where the user discarded the window's changes
    // at this close, the project as last opened or saved.
    void Write(const std::string* discardedProject);
    const std::optional<std::string>& StartNotice() const { return startNotice_; }
    void ShowStartNotice();
    // Keeps `section` in the file from now on; when the file has been read
    // already, it reads its part at once.
    void AddSection(SettingsSection& section);

private:
    // Reads the window from a file without any key, which stays in memory.
    void ReadWithoutSettingsFile();
    // Reads the window as at start, with no box for a cycle time the file
    // lacks.
    void ReadStartSettings(IniFile& ini);
    void ReadWindowSettings();
    void ReadSection(SettingsSection& section) const;

    TMasterForm& form_;
    Globals& globals_;
    MessageBoxes& messages_;
    PathStyle style_;
    bool settingsUsable_ = true;
    bool settingsRead_ = false;
    std::vector<SettingsSection*> sections_;
    std::optional<std::string> startNotice_;
};

} // namespace qntcalc
