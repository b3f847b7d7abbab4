#pragma once

#include "project/FileResult.h"
#include "project/Globals.h"
#include "project/IniFile.h"

#include <string>

namespace qntcalc {

class TMasterForm;

// A project file is a copy of the main window's controls. Reading puts each
// value into its control in a fixed order, through the same notifications
// as a user's change, and ends with one calculation; writing copies the
// controls and changes nothing in the window.
void ReadSettingsFromFile(TMasterForm& form, IniFile& ini);
void WriteSettingsToFile(const TMasterForm& form, const Globals& globals, IniFile& ini);

// Whether the file that ini has read holds a project: it exists, it could
// be read, and its Settings section holds at least one key of the format,
// the older controller counts included. Otherwise what stands in the way.
FileResult CheckProject(const IniFile& ini);

// Open the file, read or write it, release it. Writing happens in one
// atomic step; returns the failure's text, empty when the write worked.
void ReadSettingsFromFile(TMasterForm& form, const std::string& path);
std::string WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                                const std::string& path);

} // namespace qntcalc
