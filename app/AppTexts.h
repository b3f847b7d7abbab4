#pragma once

#include <string_view>

// Texts of the main window's own message boxes, and of the What-if window.
// The main window's title is the program's (ui/UiTexts.h); its messages in
// the status bar are the checks'.
namespace qntcalc::texts {

inline constexpr std::string_view kValueErrorCaption = "Value Error";
inline constexpr std::string_view kGreaterZero = "Value must be greater than 0.";
inline constexpr std::string_view kGreaterEqualZero = "Value must be greater or equal 0.";

// Why a what-if question cannot be answered (after Cannot <verb> "<input>": )
inline constexpr std::string_view kNotTypeableNow = "Not an input a user can type into now";
inline constexpr std::string_view kStepBelowOne = "The step is below 1";
inline constexpr std::string_view kMoreValuesThan = "More values than "; // followed by "1,000,000"
// A snapshot restored into a window with other controls.
inline constexpr std::string_view kOtherControls = "Not a window with the same controls";

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
// "Main path stands at 6,000 m, outside the range; ..."
inline constexpr std::string_view kWhatIfStandsAt = " stands at ";
inline constexpr std::string_view kWhatIfOutsideRange =
    ", outside the range; widen the range to see its headroom.";
// "Main path 250 m: 250 kBits/s, worst case reaction time 106 ms, alarm
// reaction time 81 ms, ETO 38 ms, CTO 59 ms. <status bar's message>"
inline constexpr std::string_view kWhatIfSummaryRmax = ", worst case reaction time ";
inline constexpr std::string_view kWhatIfSummaryAlarm = ", alarm reaction time ";
inline constexpr std::string_view kWhatIfSummaryEto = ", ETO ";
inline constexpr std::string_view kWhatIfSummaryCto = ", CTO ";
inline constexpr std::string_view kWhatIfNotStable = "Not stable. ";
inline constexpr std::string_view kWhatIfRefused = "refused by the value check: ";
// Chart series and axes
inline constexpr std::string_view kWhatIfRmax = "Worst case reaction time";
inline constexpr std::string_view kWhatIfAlarm = "Alarm reaction time";
inline constexpr std::string_view kWhatIfEto = "ETO";
inline constexpr std::string_view kWhatIfCto = "CTO";
inline constexpr std::string_view kWhatIfRate = "Transmission rate";
inline constexpr std::string_view kWhatIfCurrent = "Current value";
inline constexpr std::string_view kWhatIfRequired = "Required";
inline constexpr std::string_view kWhatIfFailing = "Error status or not stable";
inline constexpr std::string_view kWhatIfRefusedBand = "Refused by the value check";
inline constexpr std::string_view kWhatIfTimeAxis = "t [ms]";
inline constexpr std::string_view kWhatIfRateAxis = "Transmission rate [kBits/s]";

} // namespace qntcalc::texts
