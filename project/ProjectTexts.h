#pragma once

#include <string_view>

// Texts of the project files and the file commands: message boxes, the
// reasons that failures give, and the notes on standard error.
namespace qntcalc::texts {

inline constexpr std::string_view kOpenErrorCaption = "Open Error";
// %1 stands for the project's name as the caption shows it.
inline constexpr std::string_view kSaveChanges =
    "The project %1 has been modified. Save your changes?";
inline constexpr std::string_view kProjectFilter = "Project files (*.ini)|*.ini";
inline constexpr std::string_view kSettingsFileName = "QntCalc.ini";
// Where a settings file that holds no settings is kept.
inline constexpr std::string_view kSettingsBackupName = "QntCalc.BAK";

// A file read that holds no project cannot be "opened".
inline constexpr std::string_view kOpenVerb = "open";
// A reason beside the system's own ("No such file or directory").
inline constexpr std::string_view kNotAProject =
    "Not a project file; it has no [Settings] section with a project key";
// A project is never written over a file that holds none.
inline constexpr std::string_view kWriteVerb = "write";
inline constexpr std::string_view kHoldsNoProject =
    "It holds no project, and a project is written only over a project file or an empty one";
// A backup that Save as could not put back: %1 the system's reason, %2 the
// name it should have had.
inline constexpr std::string_view kKeepsBackupName = "%1; it keeps this name instead of \"%2\"";

// Notes on standard error, each after "QntCalc: ".
inline constexpr std::string_view kNotePrefix = "QntCalc: ";
// %1 why.
inline constexpr std::string_view kNoteNotSaved = "Settings not saved: %1";
inline constexpr std::string_view kNoteNoStartDir =
    "The working directory no longer exists, so this run keeps no settings file.";
// %1 why the settings file cannot be used, %2 the name it was kept as.
inline constexpr std::string_view kNoteUnused = "%1. This run keeps no settings file.";
inline constexpr std::string_view kNoteKeptAs =
    "%1. Kept it as \"%2\" and started a new settings file.";

// What happened to the settings file at start, said once the window is
// shown: %1 stands for the start folder, %2 for the reason.
inline constexpr std::string_view kStartNoticeCaption = "Settings file";
inline constexpr std::string_view kStartNoticeRenamed =
    "QntCalc.ini in %1 holds no settings; it was renamed to QntCalc.BAK and a new settings file "
    "was started.";
inline constexpr std::string_view kStartNoticeNotRenamed =
    "QntCalc.ini in %1 holds no settings and could not be renamed to QntCalc.BAK (%2); it was "
    "left as it is, and this run starts with the defaults and keeps no settings file.";
inline constexpr std::string_view kStartNoticeDirectory =
    "QntCalc.ini in %1 is a directory, not a settings file; this run starts with the defaults "
    "and keeps no settings file.";
inline constexpr std::string_view kStartNoticeUnreadable =
    "QntCalc.ini in %1 cannot be read (%2); it was left as it is, and this run starts with the "
    "defaults and keeps no settings file.";
inline constexpr std::string_view kStartNoticeNoStartDir =
    "The folder the program was started in no longer exists, so QntCalc.ini cannot be kept "
    "there; this run starts with the defaults and keeps no settings file.";

} // namespace qntcalc::texts
