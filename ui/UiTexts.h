#pragma once

#include <string_view>

// The program's own name and the texts of the platform services: help,
// file dialogs and the box for an error that nothing else caught.
namespace qntcalc::texts {

inline constexpr std::string_view kProgramTitle = "Quarnet Calculator";
// The caption of every box that says a file was not written.
inline constexpr std::string_view kSaveErrorCaption = "Save Error";
// A bare name: the help system looks for it where the program is installed.
inline constexpr std::string_view kHelpFileName = "QntCalc.hlp";
// After the program's title.
inline constexpr std::string_view kHelpWindowSuffix = " Help";
// %1: the help file's name, %2: the directories searched, one a line.
inline constexpr std::string_view kHelpFileMissing = "The help file %1 was not found in:\n%2";
// The help window's commands and its find-in-page field.
inline constexpr std::string_view kHelpBack = "Back";
inline constexpr std::string_view kHelpForward = "Forward";
inline constexpr std::string_view kHelpContents = "Contents";
inline constexpr std::string_view kHelpFind = "Find:";
inline constexpr std::string_view kHelpNotFound = "Not found";
inline constexpr std::string_view kHelpWrappedToTop = "Continued from the top";
inline constexpr std::string_view kHelpWrappedToBottom = "Continued from the bottom";
// Standard error, when no window can be opened: the problem, then kRunTheCli.
inline constexpr std::string_view kDisplayNotSet =
    "no display to open the window on (DISPLAY is not set)";
// %1: the display or the window system that failed.
inline constexpr std::string_view kDisplayUnreachable = "cannot open the display \"%1\"";
inline constexpr std::string_view kWindowSystemFailed = "cannot start the window system \"%1\"";
inline constexpr std::string_view kRunTheCli =
    "; to calculate without a window, run qntcalc-cli PROJECT.ini (see qntcalc-cli --help)";
// The buttons of the question about unsaved changes; & marks the mnemonic.
inline constexpr std::string_view kSaveButton = "&Save";
inline constexpr std::string_view kDiscardButton = "&Discard";
inline constexpr std::string_view kCancelButton = "Cancel";
inline constexpr std::string_view kOpenDialogCaption = "Open";
inline constexpr std::string_view kSaveDialogCaption = "Save As";

} // namespace qntcalc::texts
