#pragma once

#include <string_view>

// The command-line tool's sentences for people, in one place; the usage
// stands where the options are parsed.
namespace qntcalc::texts {

// Before every problem on standard error.
inline constexpr std::string_view kCliPrefix = "qntcalc-cli: ";
// Stands for the file of a project evaluated without one.
inline constexpr std::string_view kNewProject = "new project";
inline constexpr std::string_view kTryHelp = "Try 'qntcalc-cli --help'.";

// Refused arguments: %1 the option, %2 the value given.
inline constexpr std::string_view kNeedsValue = "%1 needs a value";
inline constexpr std::string_view kModeWanted =
    "--mode must be standard, expert or baud, not \"%1\"";
inline constexpr std::string_view kSetWanted = "--set needs KEY=VALUE, not \"%1\"";
inline constexpr std::string_view kSaveWanted = "--save needs a file name";
inline constexpr std::string_view kUnknownOption = "unknown option \"%1\"";
// --set KEY=VALUE refused: %1 the key as given, %2 the value or the key as
// the program spells it, %3 the keys a user can set now (or all of them),
// %4 the other button of a pair, %5 a list's names.
inline constexpr std::string_view kSetBoxValue =
    "--set %1: the value must be 1 (ticked or selected) or 0, not \"%2\"";
inline constexpr std::string_view kSetUnknownRouterType =
    "--set %1: unknown router type \"%2\"; the router types are:%5";
inline constexpr std::string_view kSetUnknownRepeaterType =
    "--set %1: unknown repeater type \"%2\"; the repeater types are:%5";
inline constexpr std::string_view kSetUnknownKey =
    "--set: unknown key \"%1\"; the keys are: %3 (each only while a user can change it in the "
    "window then)";
inline constexpr std::string_view kSetFieldNotNow =
    "--set %1: %2 is not a field a user can type into now; keys that can be set now: %3";
inline constexpr std::string_view kSetProjectNotNow =
    "--set %1: %2 is not a field a user can change in the window now; keys that can be set now: "
    "%3";
inline constexpr std::string_view kSetBoxNotNow =
    "--set %1: %2 is not a box a user can change in the window now; keys that can be set now: %3";
inline constexpr std::string_view kSetButtonNotNow =
    "--set %1: %2 is not a button a user can change in the window now; keys that can be set now: "
    "%3";
inline constexpr std::string_view kSetListNotNow =
    "--set %1: %2 is not a list a user can change in the window now; keys that can be set now: "
    "%3";
inline constexpr std::string_view kSetButtonCleared =
    "--set %1=0: a selected button is cleared by selecting the other of its pair: --set %4=1";
// No key a user can set now.
inline constexpr std::string_view kSetNoKeys = "none";

// The report of a project, with numbered places (%1 to %9, filled by
// text::Format). The heading: %1 the project's name, %2 its file.
inline constexpr std::string_view kReportProject = "Project: %1 (%2)";
inline constexpr std::string_view kReportMode = "Mode: %1";
inline constexpr std::string_view kReportNoMode = "none selected";
// A result's value %1 with its unit.
inline constexpr std::string_view kReportEntered = "%1 (entered)";
// %1 yes or NO, %2 the passes of the iteration.
inline constexpr std::string_view kReportYes = "yes";
inline constexpr std::string_view kReportNo = "NO";
inline constexpr std::string_view kReportOnePass = "%1 (%2 pass)";
inline constexpr std::string_view kReportPasses = "%1 (%2 passes)";
inline constexpr std::string_view kReportStatus = "Status: %1";
// Before a status bar message with an error status, and each error message.
inline constexpr std::string_view kReportError = "ERROR: %1";
inline constexpr std::string_view kReportErrorMessage = "error: %1";

// The headroom report: %1 the input's key, %2 and %3 the searched values.
inline constexpr std::string_view kHeadroomSearched = "Headroom of %1, searched from %2 to %3";
// A search too long to run: %1 why, %2 and %3 its ends.
inline constexpr std::string_view kHeadroomTooFar = "%1 (from %2 to %3); give a nearer --to";
// A what-if of an input that cannot be typed into now: %1 the file, %2 the
// input's key, %3 the keys that can.
inline constexpr std::string_view kNotTypeable =
    "%1: %2 cannot be typed into in this project's current state; inputs that can: %3";
inline constexpr std::string_view kNoneTypeable = "none";
// --require-rmax without --limits: %1 the file, %2 and %3 the times.
inline constexpr std::string_view kRmaxExceeds = "%1: worst case reaction time %2 exceeds %3";
// The limits overview: the verdict, a row's cells and a table's headings.
inline constexpr std::string_view kLimitsMeet =
    "The current state meets the requirements; the tightest input comes first.";
inline constexpr std::string_view kLimitsFail =
    "The current state does not meet the requirements; the smallest change that meets them comes "
    "first.";
inline constexpr std::string_view kLimitsNoInputs =
    "No input can be typed into in this project's current state.";
// After a --set whose value its field's check refused.
inline constexpr std::string_view kSetRefused =
    "a --set value was refused by its field's value check; nothing was evaluated or saved";
// --save onto another project file without --force: %1 the file.
inline constexpr std::string_view kSaveOverProject =
    "Cannot write \"%1\": It holds another project than the one read; give --force to replace it";
inline constexpr std::string_view kLimitsFailNoInputs =
    "The current state does not meet the requirements.";
// A sweep's table: the results' headings after the input's, a refused
// value's row (%1 the value checks' messages) and the status's prefix.
inline constexpr std::string_view kSweepHeadings[] = {
    "Rate [kBits/s]", "ETO [ms]", "CTO [ms]", "Rmax [ms]", "Alarm [ms]", "CVesk [ms]", "Stable"};
inline constexpr std::string_view kSweepStatusHeading = "Status";
inline constexpr std::string_view kSweepRejected = "rejected: %1";
inline constexpr std::string_view kSweepErrorPrefix = "ERROR: ";

} // namespace qntcalc::texts
