#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace qntcalc {

// The one record the whole program computes on. Lengths in m, times in ms,
// rates in kBits/s, the load factor in %. The edit fields, not this record,
// are the authority for inputs: every calculation reads them all afresh.
struct CalcState {
    // Network structure
    int32_t Mainpath = 0;
    int32_t MainBaud = 0;
    int32_t DropMax = 0;
    int32_t DropTot = 0;
    int32_t NumRouters = 0;
    int32_t RouterCorr = 0;
    int32_t LongSeg = 0;
    int32_t MDSeg = 0;
    int32_t NumRepeater = 0;
    int32_t LRepeater = 0;
    // Devices and I/O
    int32_t LoadFact = 0;
    int32_t NumIOD = 0;
    int32_t NumVesk = 0;
    int32_t NumInp = 0;
    int32_t NumInpCycl = 0;
    int32_t InpCycl = 0;
    int32_t NumOut = 0;
    int32_t NumOutCycl = 0;
    int32_t OutCycl = 0;
    // Results
    int32_t Baud = 0;
    int32_t BaudLong = 0;
    int32_t RouterCorrRes = 0;
    int32_t ETO = 0;
    int32_t CTO = 0;
    int32_t Rmax = 0;
    int32_t Alarm = 0;
    int32_t CVesk = 0;
    // Intermediates, never shown or stored
    int32_t NumDevices = 0;
    int32_t NumMessages = 0;

    bool CalcReady = true; // false exactly while a calculation runs (re-entry guard)
    bool Stable = false;
};

// The 27 fields bound to edit fields, in the order the results are written
// back. The edit field of a field is its name with the prefix "Ed_".
enum class Field : int {
    Mainpath,
    MainBaud,
    DropMax,
    DropTot,
    NumRouters,
    RouterCorr,
    LongSeg,
    MDSeg,
    NumRepeater,
    LRepeater,
    LoadFact,
    NumIOD,
    NumVesk,
    NumInp,
    NumInpCycl,
    InpCycl,
    NumOut,
    NumOutCycl,
    OutCycl,
    Baud,
    BaudLong,
    RouterCorrRes,
    ETO,
    CTO,
    Rmax,
    Alarm,
    CVesk,
};

inline constexpr int kFieldCount = 27;

inline constexpr std::array<Field, kFieldCount> kAllFields = [] {
    std::array<Field, kFieldCount> fields{};
    for (int i = 0; i < kFieldCount; ++i)
        fields[static_cast<std::size_t>(i)] = static_cast<Field>(i);
    return fields;
}();

std::string_view FieldName(Field field);
int32_t& FieldRef(CalcState& state, Field field);
int32_t FieldValue(const CalcState& state, Field field);

} // namespace qntcalc
