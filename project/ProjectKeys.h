#pragma once

#include <array>
#include <string_view>

// The project file, also used unchanged as the settings file QntCalc.ini.
// A fresh file holds three sections in this order; keys in written order,
// with the value used when a key is missing on reading:
//
// [Settings]
//   Project "Empty Project", Mainpath "100", MainBaud "500",
//   RB_Main 1, RB_Baud 0, CBRouters 1, CBRepeaters 1, CBDropLines 1,
//   DropMax "0", DropTot "0", NumRouters "0",
//   RouterType (router type name, RouterTypes[0]), RouterTypeIdx (not read),
//   RouterCorr "0", LongSeg "0", MDSeg "0", NumRepeater "0",
//   RepeaterType (repeater type name, RepeaterTypes[0]), RepeaterTypeIdx (not read),
//   LRepeater "0", LoadFact "5", NumIOD "2",
//   NumVesk "1" (missing: convert NumVesk1/NumVesk3), Vesk1 1, Vesk3 0,
//   NumInp "16", NumInpCycl "0", InpCycl "100", NumOut "16", NumOutCycl "0", OutCycl "100",
//   Baud, BaudLong, RouterCorrRes, ETO, CTO, Rmax, Alarm, CVesk (all empty text),
//   CVeskManual 0
// [Mode]
//   Expert 0, Standard 1, BaudRateMode 0, PageSelect 0 (page index 0..7)
// [About]
//   Program (ProgramName), Version (ProgramVersion); neither is read
//
// Older files count controllers per CPU kind in NumVesk1 "1" and NumVesk3
// "0"; these are read only when NumVesk is missing, then deleted, and never
// written. Booleans are written as 1 and 0 and read as any whole number
// (non-zero is true); the type names decide the selection, not the indexes.
namespace qntcalc::ini {

inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kMode = "Mode";
inline constexpr std::string_view kAbout = "About";

inline constexpr std::string_view kProject = "Project";
inline constexpr std::string_view kMainpath = "Mainpath";
inline constexpr std::string_view kMainBaud = "MainBaud";
inline constexpr std::string_view kRB_Main = "RB_Main";
inline constexpr std::string_view kRB_Baud = "RB_Baud";
inline constexpr std::string_view kCBRouters = "CBRouters";
inline constexpr std::string_view kCBRepeaters = "CBRepeaters";
inline constexpr std::string_view kCBDropLines = "CBDropLines";
inline constexpr std::string_view kDropMax = "DropMax";
inline constexpr std::string_view kDropTot = "DropTot";
inline constexpr std::string_view kNumRouters = "NumRouters";
inline constexpr std::string_view kRouterType = "RouterType";
inline constexpr std::string_view kRouterTypeIdx = "RouterTypeIdx";
inline constexpr std::string_view kRouterCorr = "RouterCorr";
inline constexpr std::string_view kLongSeg = "LongSeg";
inline constexpr std::string_view kMDSeg = "MDSeg";
inline constexpr std::string_view kNumRepeater = "NumRepeater";
inline constexpr std::string_view kRepeaterType = "RepeaterType";
inline constexpr std::string_view kRepeaterTypeIdx = "RepeaterTypeIdx";
inline constexpr std::string_view kLRepeater = "LRepeater";
inline constexpr std::string_view kLoadFact = "LoadFact";
inline constexpr std::string_view kNumIOD = "NumIOD";
inline constexpr std::string_view kNumVesk = "NumVesk";
inline constexpr std::string_view kVesk1 = "Vesk1";
inline constexpr std::string_view kVesk3 = "Vesk3";
inline constexpr std::string_view kNumInp = "NumInp";
inline constexpr std::string_view kNumInpCycl = "NumInpCycl";
inline constexpr std::string_view kInpCycl = "InpCycl";
inline constexpr std::string_view kNumOut = "NumOut";
inline constexpr std::string_view kNumOutCycl = "NumOutCycl";
inline constexpr std::string_view kOutCycl = "OutCycl";
inline constexpr std::string_view kBaud = "Baud";
inline constexpr std::string_view kBaudLong = "BaudLong";
inline constexpr std::string_view kRouterCorrRes = "RouterCorrRes";
inline constexpr std::string_view kETO = "ETO";
inline constexpr std::string_view kCTO = "CTO";
inline constexpr std::string_view kRmax = "Rmax";
inline constexpr std::string_view kAlarm = "Alarm";
inline constexpr std::string_view kCVesk = "CVesk";
inline constexpr std::string_view kCVeskManual = "CVeskManual";

inline constexpr std::string_view kExpert = "Expert";
inline constexpr std::string_view kStandard = "Standard";
inline constexpr std::string_view kBaudRateMode = "BaudRateMode";
inline constexpr std::string_view kPageSelect = "PageSelect";

inline constexpr std::string_view kProgram = "Program";
inline constexpr std::string_view kVersion = "Version";

inline constexpr std::string_view kNumVesk1 = "NumVesk1";
inline constexpr std::string_view kNumVesk3 = "NumVesk3";

// Every key that a project may hold in Settings, the older ones included:
// a file with none of them is not a project.
inline constexpr std::array kSettingsKeys{
    kProject,    kMainpath,   kMainBaud,      kRB_Main,       kRB_Baud,    kCBRouters,
    kCBRepeaters, kCBDropLines, kDropMax,     kDropTot,       kNumRouters, kRouterType,
    kRouterTypeIdx, kRouterCorr, kLongSeg,    kMDSeg,         kNumRepeater, kRepeaterType,
    kRepeaterTypeIdx, kLRepeater, kLoadFact,  kNumIOD,        kNumVesk,    kVesk1,
    kVesk3,      kNumInp,     kNumInpCycl,    kInpCycl,       kNumOut,     kNumOutCycl,
    kOutCycl,    kBaud,       kBaudLong,      kRouterCorrRes, kETO,        kCTO,
    kRmax,       kAlarm,      kCVesk,         kCVeskManual,   kNumVesk1,   kNumVesk3,
};

// Desktop state in the settings file only, never in a project:
// [Recent]
//   File1 ... File6: the projects last opened or saved, newest first
// [Window]
//   Left, Top (of the frame), Width, Height (inside it), Maximized 0 or 1
// [WhatIf]
//   Input (a field's name), RequireRmax, RequireETO, RequireCTO in ms (the
//   last two only while required)
inline constexpr std::string_view kRecent = "Recent";
inline constexpr std::string_view kRecentFile = "File"; // followed by 1 to 6
inline constexpr std::string_view kWindow = "Window";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kMaximized = "Maximized";
inline constexpr std::string_view kWhatIf = "WhatIf";
inline constexpr std::string_view kWhatIfInput = "Input";
inline constexpr std::string_view kRequireRmax = "RequireRmax";
inline constexpr std::string_view kRequireEto = "RequireETO";
inline constexpr std::string_view kRequireCto = "RequireCTO";
inline constexpr std::string_view kWhatIfFrom = "From";
inline constexpr std::string_view kWhatIfTo = "To";

} // namespace qntcalc::ini
