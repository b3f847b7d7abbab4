#pragma once

// Topic numbers of the help file: one anchor "topic<N>" per number. Every
// window's controls name theirs; F1 asks the help system for it.
namespace qntcalc::topic {

inline constexpr int kWindow = 10;
inline constexpr int kModes = 15;
inline constexpr int kNetwork = 20;
inline constexpr int kDevices = 21;
inline constexpr int kInputs = 22;
inline constexpr int kOutputs = 23;
inline constexpr int kRouters = 24;
inline constexpr int kRepeaters = 25;
inline constexpr int kDropLines = 26;
inline constexpr int kResults = 27;
inline constexpr int kPrinting = 40;
inline constexpr int kPrintSheet = 100;
inline constexpr int kAbout = 130;
inline constexpr int kWhatIf = 140;
inline constexpr int kWhatIfLimits = 141;
inline constexpr int kReport = 150;

} // namespace qntcalc::topic
