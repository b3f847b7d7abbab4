#pragma once

#include "base/Result.h"
#include "fileio/IniFile.h"
#include "ui/Globals.h"

#include <optional>
#include <string>

namespace qntcalc {

class TMasterForm;

// A project file is a copy of the main window's controls. Reading puts each
// value into its control in a fixed order, through the same notifications
// as a user's change, and ends with one calculation; writing copies the
// controls and changes nothing in the window.
//
// Reading always fills the window; its Result is that of the one write it
// may make, the conversion of an older file's controller counts in place.
// Writing returns the first failure of its writes.
Result ReadSettingsFromFile(TMasterForm& form, IniFile& ini);
Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals, IniFile& ini);
// Writes what a window would that held `project`, which the window writer
// wrote; its About section, if any, gives way to the program's own.
Result WriteProjectToFile(const IniFile& project, const Globals& globals, IniFile& ini);

// Whether the file that ini has read holds a project: its Settings section
// holds at least one key of the format, the older controller counts
// included.
Result CheckProject(const IniFile& ini);
// Opens the file and checks it: whether it exists, could be read and holds
// a project, or else what stands in the way. `ini` holds the file as read,
// empty when it is Missing, and nothing when it could not be read.
Result OpenProject(const std::string& path, std::optional<IniFile>& ini,
                   IniFile::Mode mode = IniFile::Mode::WriteThrough);

// Whether a project may be written at path: nothing there, an empty file or
// one that holds a project. A file that holds anything else (a report, a
// text) is Unsuitable and stays as it is; what cannot be read is left to
// the write to report.
Result CheckProjectTarget(const std::string& path);

// Open the file, read or write it, release it. Writing happens in one
// atomic step: a failure leaves the whole old file, and a file that holds
// no project is never written over (CheckProjectTarget).
Result ReadSettingsFromFile(TMasterForm& form, const std::string& path);
Result WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                           const std::string& path);

} // namespace qntcalc
