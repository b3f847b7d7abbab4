#pragma once

#include <array>
#include <string_view>

// Every status bar message, in the order the checks run, and the texts of
// the indicator. The texts are the program's own, misspellings included:
// users and their notes quote them.
namespace qntcalc::texts {

inline constexpr std::string_view kEstimates = "All values are estimates and may differ!";
inline constexpr std::string_view kRepeatersAndRouters =
    "Selecting repeaters and routers at the same time may lead to wrong results!";
inline constexpr std::string_view kNotStable = "Values incorrect - System not stable!";
inline constexpr std::string_view kPathTooLong = "Main path too long or to many drop lines!";
inline constexpr std::string_view kPreselectedRate =
    "Preselected transmission rate must be 20, 50, 125, 250 or 500";
inline constexpr std::string_view kTooManyDevices =
    "Too many devices! Number Vesk + Number I/O Devices may not exceed 64.";
inline constexpr std::string_view kDropTotal =
    "Total drop line length must be greater or equal to Maximum drop line length!";
inline constexpr std::string_view kLongSegMissing =
    "If routers are used, please enter length of longest segment!";
inline constexpr std::string_view kLongSegTooLong =
    "Longest segment may not be longer than main path!";
inline constexpr std::string_view kMDSegTooLong = "MD segment may not be longer than main path!";
inline constexpr std::string_view kLongSegWrong = "Lenght of longest segment not correct!";
inline constexpr std::string_view kMDSegMissing =
    "If routers are used, please enter length of segment containing MD!";
inline constexpr std::string_view kMDSegLonger =
    "MD segment seems to be longer than longest segment!?";
inline constexpr std::string_view kVeskAtLeastZero = "Configure a Number of Vesk >= 0!";
inline constexpr std::string_view kVeskAtLeastOne = "Configure a Number of Vesk > 0!";
inline constexpr std::string_view kNoIO = "Configure inputs or outputs!";
inline constexpr std::string_view kCyclicInputs =
    "There may not be more cyclic inputs than inputs in general!";
inline constexpr std::string_view kCyclicOutputDevices =
    "There may not be more cyclic output devices than devices in general!";
inline constexpr std::string_view kInputsTooFast = "The cycle time of cyclic inputs is too fast!";
inline constexpr std::string_view kOutputsTooFast = "The cycle time of cyclic outputs is too fast!";
inline constexpr std::string_view kInputCycleTooSlow =
    "Only cylcic inputs with cycle times < 1000ms are of interest!";
inline constexpr std::string_view kOutputCycleTooSlow =
    "Only cylcic outputs with cycle times < 1000ms are of interest!";
inline constexpr std::string_view kTooManyInputs = "Too many inputs configured!";
inline constexpr std::string_view kTooManyOutputs = "Too many outputs configured!";
inline constexpr std::string_view kLoadFactor = "Load factor must be in the range of 0% to 100%!";

inline constexpr std::array kStatusMessages{
    kEstimates,        kRepeatersAndRouters, kNotStable,         kPathTooLong,
    kPreselectedRate,  kTooManyDevices,      kDropTotal,         kLongSegMissing,
    kLongSegTooLong,   kMDSegTooLong,        kLongSegWrong,      kMDSegMissing,
    kMDSegLonger,      kVeskAtLeastZero,     kVeskAtLeastOne,    kNoIO,
    kCyclicInputs,     kCyclicOutputDevices, kInputsTooFast,     kOutputsTooFast,
    kInputCycleTooSlow, kOutputCycleTooSlow, kTooManyInputs,     kTooManyOutputs,
    kLoadFactor,
};

// The indicator bar and its panel in the status bar.
inline constexpr std::string_view kBaudIndicatorHint = "Baud rate indicator";
inline constexpr std::string_view kReactionIndicatorHint = "Error reaction time indicator";
inline constexpr std::string_view kBaudUnit = " kBaud";

} // namespace qntcalc::texts
