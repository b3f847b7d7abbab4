#pragma once

#include "checks/PlausibilityCheck.h"
#include "engine/Calculator.h"
#include "window/FieldFacts.h"
#include "window/MasterFormControls.h"

#include <array>
#include <cstddef>

// The 27 calculation fields, one row each, in Field order, which is also
// the order of their keys in a written project file: everything the
// program knows of a field besides its engine member and its control's
// design-time properties. The window's handlers, the project file, the
// command line and the What-if inputs all read it.
namespace qntcalc {

namespace field_limits {
inline constexpr int32_t kLongestNetworkM = 5000; // past 3,500 m every rate step is exhausted
// Just past where the plausibility rules end every network.
inline constexpr int32_t kMostDevices = plausibility::kMaxDevices;
inline constexpr int32_t kMostBits = plausibility::kBitsPerDevice * kMostDevices + 1;
inline constexpr int32_t kSlowestCycleMs = plausibility::kMaxCycleMs;
inline constexpr int32_t kMostLoadPercent = plausibility::kMaxLoadPercent + 1;
// One router's correction alone puts the cycle timeout past the longest
// that counts as stable.
inline constexpr int32_t kLongestRouterCorrMs = Calculator::kStableCtoMs + 1;
} // namespace field_limits

namespace field_table {
using F = Field;
using C = MasterFormControls;
using V = ValueCheck;
using G = FileGroup;
using P = Page;
using T = Typing;
using U = InputUnit;
using namespace field_limits;

// field, key, edit, value check, file group, read default, label, unit, page,
// what-if {typing, position, subject, in a sentence, unit, practical limit, downwards,
//          enabler, counts while}
// clang-format off
inline constexpr std::array<FieldRow, kFieldCount> kRows{{
    {F::Mainpath, "Mainpath", &C::Ed_Mainpath, V::GreaterZero, G::Network, "100", "Main path",
     "l [m]", P::Network, {T::Free, 0, "", "main path", U::Metres, kLongestNetworkM, false}},
    {F::MainBaud, "MainBaud", &C::Ed_MainBaud, V::DirectRate, G::Network, "500",
     "Transmission rate", "[kBits/s]", P::Network,
     {T::Free, 19, "Preselected transmission rate", "preselected transmission rate",
      U::KBitsPerSecond, 500, false, {}, &C::RB_Baud}},
    {F::DropMax, "DropMax", &C::Ed_DropMax, V::GreaterEqualZero, G::Structure, "0",
     "Longest drop line", "l [m]", P::DropLines,
     {T::Free, 1, "", "longest drop line", U::Metres, kLongestNetworkM, false}},
    {F::DropTot, "DropTot", &C::Ed_DropTot, V::GreaterEqualZero, G::Structure, "0",
     "Total drop lines", "l [m]", P::DropLines,
     {T::Free, 2, "Total drop line length", "total drop line length",
      U::Metres, kLongestNetworkM, false}},
    {F::NumRouters, "NumRouters", &C::Ed_NumRouters, V::GreaterEqualZero, G::Structure, "0",
     "Number of routers", "", P::Routers,
     // The window sets the type back whenever no router is counted, so the
     // type always comes before the segments.
     {T::Free, 3, "", "number of routers", U::Count, kMostDevices, false,
      {std::nullopt, &C::CB_RouterType, "router type"}}},
    {F::RouterCorr, "RouterCorr", &C::Ed_RouterCorr, V::GreaterEqualZero, G::Routers, "0",
     "Router correction time per router", "t [ms]", P::Routers,
     {T::Free, 4, "", "router correction time per router",
      U::Milliseconds, kLongestRouterCorrMs, false}},
    {F::LongSeg, "LongSeg", &C::Ed_LongSeg, V::GreaterEqualZero, G::Routers, "0",
     "Longest resulting segment", "l [m]", P::Routers,
     {T::Free, 5, "", "longest resulting segment", U::Metres, kLongestNetworkM, false}},
    {F::MDSeg, "MDSeg", &C::Ed_MDSeg, V::GreaterEqualZero, G::Routers, "0",
     "Length of MD segment", "l [m]", P::Routers,
     {T::Free, 6, "MD segment", "MD segment", U::Metres, kLongestNetworkM, false}},
    {F::NumRepeater, "NumRepeater", &C::Ed_NumRepeater, V::GreaterEqualZero, G::Routers, "0",
     "Number of repeaters", "", P::Repeaters,
     {T::Free, 7, "", "number of repeaters", U::Count, kMostDevices, false,
      {std::nullopt, &C::CB_RepeaterType, "repeater type"}}},
    {F::LRepeater, "LRepeater", &C::Ed_LRepeater, V::GreaterEqualZero, G::Devices, "0",
     "Virtual cable length per repeater", "l [m]", P::Repeaters,
     {T::Free, 8, "", "virtual cable length per repeater", U::Metres, kLongestNetworkM, false}},
    {F::LoadFact, "LoadFact", &C::Ed_LoadFact, V::GreaterZero, G::Devices, "5", "Load factor",
     "%", P::Devices, {T::Free, 9, "", "load factor", U::Percent, kMostLoadPercent, false}},
    {F::NumIOD, "NumIOD", &C::Ed_NumIOD, V::GreaterEqualZero, G::Devices, "2",
     "Number of I/O Devices (like DIO; Bridge; Robot, Drive)", "", P::Devices,
     {T::Free, 10, "Number of I/O devices", "number of I/O devices",
      U::Count, kMostDevices, false}},
    {F::NumVesk, "NumVesk", &C::Ed_NumVesk, V::GreaterEqualZero, G::Controllers, "1",
     "Number of Vesk", "", P::Devices,
     {T::Free, 11, "", "number of Vesk", U::Count, kMostDevices, false}},
    {F::NumInp, "NumInp", &C::Ed_NumInp, V::GreaterEqualZero, G::InputsOutputs, "16",
     "Number of used input bits", "", P::Inputs,
     {T::Free, 12, "", "number of used input bits", U::Count, kMostBits, false}},
    {F::NumInpCycl, "NumInpCycl", &C::Ed_NumInpCycl, V::GreaterEqualZero, G::InputsOutputs,
     "0", "thereof cyclic input bits", "", P::Inputs,
     {T::Free, 13, "Number of cyclic input bits", "number of cyclic input bits",
      U::Count, kMostBits, false, {F::InpCycl}}},
    {F::InpCycl, "InpCycl", &C::Ed_InpCycl, V::GreaterEqualZero, G::InputsOutputs, "100",
     "Cycletime", "t [ms]", P::Inputs,
     {T::Free, 14, "Cycle time of cyclic inputs", "cycle time of cyclic inputs",
      U::Milliseconds, 0, true}},
    {F::NumOut, "NumOut", &C::Ed_NumOut, V::GreaterEqualZero, G::InputsOutputs, "16",
     "Number of used output bits", "", P::Outputs,
     {T::Free, 15, "", "number of used output bits", U::Count, kMostBits, false}},
    // More than the I/O devices fail, and beside at least one Vesk there
    // are at most 63 of those: from 64 on every network fails.
    {F::NumOutCycl, "NumOutCycl", &C::Ed_NumOutCycl, V::GreaterEqualZero, G::InputsOutputs,
     "0", "devices with cyclic outputs", "", P::Outputs,
     {T::Free, 16, "Number of devices with cyclic outputs", "number of devices with cyclic outputs",
      U::Count, kMostDevices, false, {F::OutCycl}}},
    {F::OutCycl, "OutCycl", &C::Ed_OutCycl, V::GreaterEqualZero, G::InputsOutputs, "100",
     "Cycletime", "t [ms]", P::Outputs,
     {T::Free, 17, "Cycle time of cyclic outputs", "cycle time of cyclic outputs",
      U::Milliseconds, 0, true}},
    {F::Baud, "Baud", &C::Ed_Baud, V::None, G::Results, "", "Transmission rate", "[kBits/s]",
     P::Results, {}},
    {F::BaudLong, "BaudLong", &C::Ed_BaudLong, V::None, G::Results, "", "Transmission rate",
     "[kBits/s]", P::Results, {}},
    {F::RouterCorrRes, "RouterCorrRes", &C::Ed_RouterCorrRes, V::None, G::Results, "",
     "Router correction time", "t [ms]", P::Results, {}},
    {F::ETO, "ETO", &C::Ed_ETO, V::None, G::Results, "", "Event timeout", "t [ms]", P::Results,
     {}},
    {F::CTO, "CTO", &C::Ed_CTO, V::None, G::Results, "", "Cycle timeout", "t [ms]", P::Results,
     {}},
    {F::Rmax, "Rmax", &C::Ed_Rmax, V::None, G::Results, "", "Worst case reaction time",
     "t [ms]", P::Results, {}},
    {F::Alarm, "Alarm", &C::Ed_Alarm, V::None, G::Results, "", "Alarm reaction time", "t [ms]",
     P::Results, {}},
    {F::CVesk, "CVesk", &C::Ed_CVesk, V::GreaterZero, G::Results, "", "Vesk cycle time",
     "t [ms]", P::Results,
     {T::Free, 18, "", "Vesk cycle time", U::Milliseconds, kSlowestCycleMs, false, {},
      &C::CB_CVeskManual}},
}};
// clang-format on
} // namespace field_table

inline constexpr const std::array<FieldRow, kFieldCount>& kFieldRows = field_table::kRows;

constexpr const FieldRow& RowOf(Field field) {
    return kFieldRows[static_cast<std::size_t>(field)];
}

// The name a field has in the What-if window and the headroom sentences.
constexpr std::string_view SubjectOf(const FieldRow& row) {
    return row.whatIf.subject.empty() ? row.label : row.whatIf.subject;
}

} // namespace qntcalc
