#pragma once

#include "window/FieldTable.h"

#include <string_view>

// Texts of what-if questions, the What-if window, the limits overview and
// the headroom sentences.
namespace qntcalc::texts {

// Why a what-if question cannot be answered (after Cannot <verb> "<input>": )
inline constexpr std::string_view kNotTypeableNow = "Not an input a user can type into now";
inline constexpr std::string_view kStepBelowOne = "The step is below 1";
inline constexpr std::string_view kMoreValuesThan = "More values than "; // followed by "1,000,000"

// The What-if window
inline constexpr std::string_view kWhatIfCaption = "What-if";
inline constexpr std::string_view kWhatIfInput = "Input";
inline constexpr std::string_view kWhatIfFrom = "From";
inline constexpr std::string_view kWhatIfTo = "to";
inline constexpr std::string_view kWhatIfDefaultRange = "Default range";
inline constexpr std::string_view kWhatIfRequiredRmax = "Required worst case reaction time at most";
inline constexpr std::string_view kWhatIfRequiredEto = "ETO at most";
inline constexpr std::string_view kWhatIfRequiredCto = "CTO at most";
inline constexpr std::string_view kWhatIfExportPng = "Export PNG...";
inline constexpr std::string_view kWhatIfExportSvg = "Export SVG...";
inline constexpr std::string_view kWhatIfExportCsv = "Export CSV...";
inline constexpr std::string_view kWhatIfClose = "Close";
// The tabs of the chart and of the limits of every input.
inline constexpr std::string_view kWhatIfChartTab = "Chart";
inline constexpr std::string_view kWhatIfLimitsTab = "Limits";
inline constexpr std::string_view kWhatIfPngFilter = "PNG images (*.png)|*.png";
inline constexpr std::string_view kWhatIfSvgFilter = "SVG images (*.svg)|*.svg";
inline constexpr std::string_view kWhatIfCsvFilter = "CSV files (*.csv)|*.csv";
// The proposed export file name: the prefix, the input's key, the extension.
inline constexpr std::string_view kWhatIfFilePrefix = "whatif-";
// Why an export wrote nothing, after "Cannot write <file>: ".
inline constexpr std::string_view kWhatIfNotDrawn = "the chart could not be drawn";
inline constexpr std::string_view kWhatIfHoverHint = "Point at the chart to read the values there.";
inline constexpr std::string_view kWhatIfNothingTypeable =
    "The main window lets you type into none of the inputs that the What-if window can sweep.";
// Whole sentences with numbered places (%1 to %9, filled by text::Format),
// so that each can be translated as one. %1 is an input's label, values
// come with their unit.
inline constexpr std::string_view kWhatIfOutsideRange =
    "%1 stands at %2, outside the range; widen the range to see its headroom.";
// The values at the point under the mouse: %3 the rate, %4 to %7 worst case
// and alarm reaction time, ETO and CTO, %8 the status bar's message.
inline constexpr std::string_view kWhatIfSummary = "%1 %2: %3, worst case reaction time %4, "
                                                   "alarm reaction time %5, ETO %6, CTO %7. %8";
inline constexpr std::string_view kWhatIfSummaryUnstable = "Not stable. %1";
inline constexpr std::string_view kWhatIfSummaryRefused = "%1 %2: refused by the value check: %3";
// One line of the tooltip at the pointer: %1 what, %2 its value.
inline constexpr std::string_view kWhatIfTipValue = "%1: %2";
inline constexpr std::string_view kWhatIfTipRefused = "Refused by the value check: %1";
// Above an exported chart: %1 the project file's name, %2 the input, %3 and
// %4 the ends of the range.
inline constexpr std::string_view kWhatIfChartTitle = "%1 - What-if: %2 from %3 to %4";
inline constexpr std::string_view kWhatIfNoProject = "Unsaved project";
// The requirements in one sentence, for the window, the command line and
// the report alike.
// %1 the worst case reaction time, then the ETO and the CTO where they are
// required: [ETO required][CTO required].
inline constexpr std::string_view kRequires[2][2] = {
    {"Required: worst case reaction time at most %1.",
     "Required: worst case reaction time at most %1, CTO at most %2."},
    {"Required: worst case reaction time at most %1, ETO at most %2.",
     "Required: worst case reaction time at most %1, ETO at most %2, CTO at most %3."}};
inline constexpr std::string_view kRequiresNoTimes =
    "In Baud rate mode only the transmission rate applies: no reaction time is judged.";
// Over the chart while it waits for the answer to a newer change.
inline constexpr std::string_view kWhatIfUpdating = "Updating…";
// In place of the headroom sentence meanwhile.
inline constexpr std::string_view kWhatIfHeadroomUpdating = "The headroom is being updated…";

// The limits overview: one row per input, in these columns, and its cells
// where there is nothing to show. %1 the end of the search of an input that
// never fails on the way.
// The Limits tab before its first answer.
inline constexpr std::string_view kLimitsComputing = "The limits are being computed…";
inline constexpr std::string_view kLimitsInput = "Input";
inline constexpr std::string_view kLimitsCurrent = "Current";
inline constexpr std::string_view kLimitsLast = "Last meeting";
inline constexpr std::string_view kLimitsNext = "First failing";
inline constexpr std::string_view kLimitsMargin = "Margin";
inline constexpr std::string_view kLimitsCause = "Cause";
inline constexpr std::string_view kLimitsNoneUpTo = "none up to %1";
inline constexpr std::string_view kLimitsNearest = "Nearest meeting";
inline constexpr std::string_view kLimitsResultThere = "Result there";
// What a fix gives: %1 the worst case reaction time, then the ETO and the
// CTO where they are required: [ETO required][CTO required].
inline constexpr std::string_view kLimitsResult[2][2] = {{"%1", "%1, CTO %2"},
                                                         {"%1, ETO %2", "%1, ETO %2, CTO %3"}};
// A margin: %1 in the input's unit, %2 in percent of the current value.
inline constexpr std::string_view kLimitsMarginWithPercent = "%1 (%2%)";
// A fix: %1 the value, %2 the change, %3 the change in percent.
inline constexpr std::string_view kLimitsFix = "%1 (%2, %3%)";
inline constexpr std::string_view kLimitsFixAtZero = "%1 (%2)";
// No value of the searched range meets: %1 and %2 its ends.
inline constexpr std::string_view kLimitsNoFix = "none from %1 to %2";
// An input at 0 whose next value fails for want of another: %1 that one.
inline constexpr std::string_view kLimitsNeeds = "needs %1 first";
// An input the project keeps as it is: after its label, and in place of a fix.
inline constexpr std::string_view kLimitsKeptMark = " (kept)";
inline constexpr std::string_view kLimitsKeptNoFix = "kept, not searched";
// A row's context menu: %1 the value.
inline constexpr std::string_view kLimitsUseNearest = "Use the nearest meeting value, %1";
inline constexpr std::string_view kLimitsUseLast = "Use the last meeting value, %1";
inline constexpr std::string_view kLimitsKeepInput = "Keep as it is: the design cannot change it";
inline constexpr std::string_view kLimitsRowMenuHint =
    "Right-click a row to type its meeting value into the main window, or to keep the input "
    "as it is.";
// The kept inputs in one sentence: %1 their labels.
inline constexpr std::string_view kKeptSentence = "Kept as they are: %1.";
// No single input meets: %1 the lowest worst case reaction time reached,
// %2 the input, %3 its value there.
inline constexpr std::string_view kLimitsClosest =
    "No single change meets the requirements; the lowest worst case reaction time, %1, comes "
    "with %2 at %3.";
// A fix for people, by what the input measures: %1 the input, %2 and %3
// the values, %4 the change, %5 what it brings.
inline constexpr std::string_view kFixShorten = "Shorten the %1 from %2 to %3 (%4): %5.";
inline constexpr std::string_view kFixLengthen = "Lengthen the %1 from %2 to %3 (%4): %5.";
inline constexpr std::string_view kFixReduce = "Reduce the %1 from %2 to %3 (%4): %5.";
inline constexpr std::string_view kFixRaise = "Raise the %1 from %2 to %3 (%4): %5.";
inline constexpr std::string_view kFixLower = "Lower the %1 from %2 to %3 (%4): %5.";
inline constexpr std::string_view kFixBecomes = "the %1 becomes %2";
// What a fix brings, one to four clauses: [count - 1].
inline constexpr std::string_view kFixClauses[] = {"%1", "%1 and %2", "%1, %2 and %3",
                                                   "%1, %2, %3 and %4"};
// A fix's rate clause: %1 the rate there.
inline constexpr std::string_view kFixRateRises = "the rate rises to %1";
inline constexpr std::string_view kFixRateDrops = "the rate drops to %1";
inline constexpr std::string_view kLimitsNone = "-";

// The headroom of an input, from %2 its current value. A sentence that ends
// on a quoted message ending a sentence itself takes no second full stop.
inline constexpr std::string_view kHeadroomNoValue = "%1 has no computed value at %2.";
inline constexpr std::string_view kHeadroomFailsNow = "%1 at %2 does not meet the requirements: %3.";
inline constexpr std::string_view kEveryInputFails = "Every input fails at its current value: %1.";
inline constexpr std::string_view kHeadroomMeetsToEnd =
    "%1 meets the requirements at %2, the end of the searched range.";
inline constexpr std::string_view kHeadroomGrowsToEnd =
    "%1 can grow from %2 to %3, the end of the searched range, within the requirements.";
inline constexpr std::string_view kHeadroomShrinksToEnd =
    "%1 can shrink from %2 to %3, the end of the searched range, within the requirements.";
// %3 the last value within the requirements, %4 the next, %5 what happens there.
inline constexpr std::string_view kHeadroomGrows = "%1 can grow from %2 to %3; at %4 %5.";
inline constexpr std::string_view kHeadroomShrinks = "%1 can shrink from %2 to %3; at %4 %5.";
// %3 the next value, %4 what happens there.
inline constexpr std::string_view kHeadroomCannotGrow = "%1 cannot grow beyond %2; at %3 %4.";
inline constexpr std::string_view kHeadroomCannotShrink = "%1 cannot shrink below %2; at %3 %4.";
// What happens at the value that fails: %1 the new rate, %2 the effect.
inline constexpr std::string_view kHeadroomRateDrops = "the rate drops to %1 and %2";
inline constexpr std::string_view kHeadroomRateRises = "the rate rises to %1 and %2";
// The effect: %1 the message, or the broken requirement's name, %2 its
// value and %3 the required one.
inline constexpr std::string_view kHeadroomRefused = "the value check refuses it: \"%1\"";
inline constexpr std::string_view kHeadroomStatus = "the status bar shows \"%1\"";
inline constexpr std::string_view kHeadroomBecomes = "the %1 becomes %2, above the required %3";
inline constexpr std::string_view kHeadroomIs = "the %1 is %2, above the required %3";
// Why a value fails, on its own.
inline constexpr std::string_view kHeadroomAbove = "%1 %2 above the required %3";
// An option repeated on either command line: %1 the option.
inline constexpr std::string_view kOptionGivenTwice = "%1 is given twice; give it once";
// A requirement option with an unusable value, on either command line.
inline constexpr std::string_view kRequiredMsWanted =
    "%1 needs a whole number of milliseconds, at least %2, not \"%3\"";
// %1 the option, %2 the key given, %3 the keys of the inputs.
inline constexpr std::string_view kKeepUnknownInput =
    "%1: no input is called \"%2\"; the inputs that can be kept: %3";
// The requirements by name, within a sentence.
inline constexpr std::string_view kRequirementRmax = "worst case reaction time";
inline constexpr std::string_view kRequirementEto = "event timeout (ETO)";
inline constexpr std::string_view kRequirementCto = "cycle timeout (CTO)";
// Chart series and axes
inline constexpr std::string_view kWhatIfRmax = RowOf(Field::Rmax).label;
inline constexpr std::string_view kWhatIfAlarm = RowOf(Field::Alarm).label;
// The timeouts go by their short names, which are their keys.
inline constexpr std::string_view kWhatIfEto = RowOf(Field::ETO).key;
inline constexpr std::string_view kWhatIfCto = RowOf(Field::CTO).key;
inline constexpr std::string_view kWhatIfRate = "Transmission rate";
inline constexpr std::string_view kWhatIfCurrent = "Current value";
inline constexpr std::string_view kWhatIfRequired = "Required";
inline constexpr std::string_view kWhatIfFailing = "Error status or not stable";
inline constexpr std::string_view kWhatIfRefusedBand = "Refused by the value check";
inline constexpr std::string_view kWhatIfTime = "t"; // the time axis, before its unit

} // namespace qntcalc::texts
