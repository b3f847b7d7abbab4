#pragma once

#include <array>
#include <string_view>

// The project file, also used unchanged as the settings file QntCalc.ini.
// A fresh file holds four sections in this order; keys in written order,
// with the value used when a key is missing on reading. The calculation
// fields' keys, read defaults and places come from the field table
// (window/FieldTable.h); <Group> stands for the run of its FileGroup:
//
// [Settings]
//   Project "Empty Project", <Network>,
//   RB_Main 1, RB_Baud 0, CBRouters 1, CBRepeaters 1, CBDropLines 1,
//   <Structure>,
//   RouterType (router type name, RouterTypes[0]), RouterTypeIdx (not read),
//   <Routers>,
//   RepeaterType (repeater type name, RepeaterTypes[0]), RepeaterTypeIdx (not read),
//   <Devices>,
//   <Controllers> (missing: convert NumVesk1/NumVesk3), Vesk1 1, Vesk3 0,
//   <InputsOutputs>, <Results> (all empty text),
//   CVeskManual 0
// [Mode]
//   Expert 0, Standard 1, BaudRateMode 0, PageSelect 0 (page index 0..7)
// [About]
//   Program (ProgramName), Version (ProgramVersion); neither is read
// [Requirements] (older versions ignore it)
//   Rmax 300 (ms), ETO and CTO (ms; empty: none required), Kept (the keys
//   of the inputs the design cannot change, comma-separated, in the
//   window's order; empty: none)
//
// Older files count controllers per CPU kind in NumVesk1 "1" and NumVesk3
// "0"; these are read only when the controller count is missing, then
// deleted, and never written. Booleans are written as 1 and 0 and read as
// any whole number (non-zero is true); the type names decide the
// selection, not the indexes.
namespace qntcalc::ini {

inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kMode = "Mode";
inline constexpr std::string_view kAbout = "About";

inline constexpr std::string_view kProject = "Project";
inline constexpr std::string_view kRB_Main = "RB_Main";
inline constexpr std::string_view kRB_Baud = "RB_Baud";
inline constexpr std::string_view kCBRouters = "CBRouters";
inline constexpr std::string_view kCBRepeaters = "CBRepeaters";
inline constexpr std::string_view kCBDropLines = "CBDropLines";
inline constexpr std::string_view kRouterType = "RouterType";
inline constexpr std::string_view kRouterTypeIdx = "RouterTypeIdx";
inline constexpr std::string_view kRepeaterType = "RepeaterType";
inline constexpr std::string_view kRepeaterTypeIdx = "RepeaterTypeIdx";
inline constexpr std::string_view kVesk1 = "Vesk1";
inline constexpr std::string_view kVesk3 = "Vesk3";
inline constexpr std::string_view kCVeskManual = "CVeskManual";

inline constexpr std::string_view kExpert = "Expert";
inline constexpr std::string_view kStandard = "Standard";
inline constexpr std::string_view kBaudRateMode = "BaudRateMode";
inline constexpr std::string_view kPageSelect = "PageSelect";

inline constexpr std::string_view kProgram = "Program";
inline constexpr std::string_view kVersion = "Version";

inline constexpr std::string_view kRequirements = "Requirements";
inline constexpr std::string_view kRequiredRmax = "Rmax";
inline constexpr std::string_view kRequiredEto = "ETO";
inline constexpr std::string_view kRequiredCto = "CTO";
inline constexpr std::string_view kKept = "Kept";

inline constexpr std::string_view kNumVesk1 = "NumVesk1";
inline constexpr std::string_view kNumVesk3 = "NumVesk3";

// Every key besides the fields' that a project may hold in Settings, the
// older ones included: a file with none of them and no field's is not a
// project.
inline constexpr std::array kSettingsKeys{
    kProject,     kRB_Main,    kRB_Baud,       kCBRouters,    kCBRepeaters,
    kCBDropLines, kRouterType, kRouterTypeIdx, kRepeaterType, kRepeaterTypeIdx,
    kVesk1,       kVesk3,      kCVeskManual,   kNumVesk1,     kNumVesk3,
};

// Desktop state in the settings file only, never in a project:
// [Recent]
//   File1 ... File6: the projects last opened or saved, newest first
// The window's place and the What-if window keep sections of their own
// (ui/WindowPlaceSection.cpp, whatif/WhatIfSettings.cpp).
inline constexpr std::string_view kRecent = "Recent";
inline constexpr std::string_view kRecentFile = "File"; // followed by 1 to 6

} // namespace qntcalc::ini
