#pragma once

#include <string_view>

// Texts of the calculation report, whole sentences with numbered places.
namespace qntcalc::texts {

inline constexpr std::string_view kReportTitle = "Calculation report: %1";
inline constexpr std::string_view kReportFileLine = "Project file: %1";
inline constexpr std::string_view kReportNoFile = "Project file: none, the project was never saved.";
inline constexpr std::string_view kReportMadeLine = "Made on %1 by %2 %3.";
inline constexpr std::string_view kReportModeLine = "Mode: %1";
inline constexpr std::string_view kReportNoModeName = "none";
inline constexpr std::string_view kReportHashLine = "SHA-256 of the project file: %1";
inline constexpr std::string_view kReportNotSaved =
    "The window differs from the project file (not saved): no SHA-256 is given, because this "
    "report does not describe the file.";
inline constexpr std::string_view kReportUnreadable =
    "The project file could not be read (not saved): no SHA-256 is given.";

inline constexpr std::string_view kReportVerdict = "Verdict";
inline constexpr std::string_view kReportRequirementColumn = "Requirement";
inline constexpr std::string_view kReportRequiredColumn = "Required";
inline constexpr std::string_view kReportAchievedColumn = "Achieved";
inline constexpr std::string_view kReportMarginColumn = "Margin";
inline constexpr std::string_view kReportSettingColumn = "Setting to configure";
// A requirement: %1 its time.
inline constexpr std::string_view kReportAtMost = "at most %1";
inline constexpr std::string_view kReportNoSettings =
    "No settings to configure: the window hides its results while the status is an error.";
inline constexpr std::string_view kReportInputs = "Inputs";
inline constexpr std::string_view kReportResults = "Results";
inline constexpr std::string_view kReportChecks = "Plausibility";
inline constexpr std::string_view kReportLimits = "Limits against the requirements";
inline constexpr std::string_view kReportWhatIf = "What-if: %1";

inline constexpr std::string_view kReportInputColumn = "Input";
inline constexpr std::string_view kReportValueColumn = "Value";
inline constexpr std::string_view kReportUnitColumn = "Unit";
inline constexpr std::string_view kReportResultColumn = "Result";
inline constexpr std::string_view kReportSeverityColumn = "Severity";
inline constexpr std::string_view kReportMessageColumn = "Message";

inline constexpr std::string_view kReportSeverityInfo = "info";
inline constexpr std::string_view kReportSeverityError = "error";
inline constexpr std::string_view kReportNone = "-";
inline constexpr std::string_view kReportChecked = "yes";
inline constexpr std::string_view kReportCVeskManual = "Vesk cycle time entered manually";
inline constexpr std::string_view kReportRouterType = "Router type";
inline constexpr std::string_view kReportRepeaterType = "Repeater type";
inline constexpr std::string_view kReportUnchecked = "no";

inline constexpr std::string_view kReportNoMessages = "The checks raised no message.";
inline constexpr std::string_view kReportStatusLine = "Status: %1";
inline constexpr std::string_view kReportStatusError = "Status (error): %1";
inline constexpr std::string_view kReportStable = "The iteration settled after %1 passes.";
inline constexpr std::string_view kReportStableOnce = "The iteration settled after 1 pass.";
inline constexpr std::string_view kReportUnstable = "The iteration did not settle in %1 passes.";
inline constexpr std::string_view kReportResultsHidden =
    "The window hides its results while the status is an error.";
// On every page: %1 the project, %2 the hash's start or kReportPageNotSaved,
// %3 the page and %4 the pages.
inline constexpr std::string_view kReportPageLine = "%1 - %2 - page %3 of %4";
inline constexpr std::string_view kReportPageHash = "SHA-256 %1";
inline constexpr std::string_view kReportPageNotSaved = "not saved";
inline constexpr std::size_t kReportPageHashDigits = 12;
inline constexpr std::string_view kReportSignOff = "Sign-off";
inline constexpr std::string_view kReportSignOffLines[] = {"Prepared by", "Checked by", "Date",
                                                          "Signature"};
inline constexpr std::string_view kReportHowToMeet = "How to meet the requirements";
inline constexpr std::string_view kReportHowToMeetIntro =
    "Each of these changes to one input alone makes the project meet every requirement, the "
    "smallest first:";
inline constexpr std::string_view kReportNoSingleChange =
    "No single change meets the requirements.";
inline constexpr std::string_view kReportMeets = "The project meets every requirement.";
inline constexpr std::string_view kReportBreaks = "The project does not meet the requirements.";
inline constexpr std::string_view kReportNoLimits = "No input can be typed into in this mode.";
inline constexpr std::string_view kReportNoWhatIf = "No input can be typed into in this mode.";
inline constexpr std::string_view kReportWhatIfRange = "Values from %1 to %2; current value %3.";

inline constexpr std::string_view kReportPdfFilter = "PDF files (*.pdf)|*.pdf";
inline constexpr std::string_view kReportNotDrawn = "the report could not be drawn";
inline constexpr std::string_view kReportOverProject =
    "It is the project file the report is made from";
inline constexpr std::string_view kReportCancelled = "The report was cancelled; nothing was written.";
// The box that shows how far File > Export report... is.
inline constexpr std::string_view kReportProgressCaption = "Export report";
inline constexpr std::string_view kReportProgressStarting = "Making the report…";
// %1 the input being searched, %2 how many there are.
inline constexpr std::string_view kReportProgressInput =
    "Making the report: the limits of input %1 of %2…";
inline constexpr std::string_view kReportProgressChart = "Making the report: the What-if chart…";
inline constexpr std::string_view kReportProgressCancel = "Cancel";

// The command line's own messages, after "QntCalc: ".
inline constexpr std::string_view kReportUsage =
    "usage: QntCalc --report OUT.pdf PROJECT.ini [--whatif KEY] [--require-rmax MS] "
    "[--require-eto MS] [--require-cto MS] [--keep KEY[,KEY...]]";
inline constexpr std::string_view kReportUnknownOption = "unknown option %1";
inline constexpr std::string_view kReportNeedsValue = "%1 needs a value";
inline constexpr std::string_view kReportTwoProjects = "one project per report, not both %1 and %2";
inline constexpr std::string_view kReportUnknownInput =
    "--whatif: no input is called \"%1\"; the inputs that can be charted: %2";
inline constexpr std::string_view kReportNotTypeable =
    "%1 cannot be typed into in this project's mode";

} // namespace qntcalc::texts
