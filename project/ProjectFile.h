#pragma once

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

// Open the file, read or write it, release it. Writing happens in one
// atomic step; returns the failure's text, empty when the write worked.
void ReadSettingsFromFile(TMasterForm& form, const std::string& path);
std::string WriteSettingsToFile(const TMasterForm& form, const Globals& globals,
                                const std::string& path);

} // namespace qntcalc
