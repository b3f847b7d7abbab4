#pragma once

#include "engine/CalcState.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qntcalc {

// What the calculation takes from the window's selections rather than from
// edit fields. Type indexes follow the lists below; -1 means none selected.
struct Selections {
    int routerType = 0;
    int repeaterType = 0;
    bool rateFromStructure = true; // RB_Main: derive the rate, else use Ed_MainBaud
    bool cpuOneOrTwo = false;      // RB_Vesk1: the slow controller CPUs
    bool cveskManual = false;      // CB_CVeskManual: keep the entered cycle time
};

inline constexpr std::array<std::string_view, 8> RouterTypes{
    "Please select router type!", "Harlen - Vesk QN Router",    "Otvar - Fiber Optic Lumo-A",
    "Otvar - Fiber Optic Lumo-B", "Otvar - Fiber Optic Lumo-C", "Brenner Elektronik - Lindat",
    "Lindat + Vesk QN Router",    "Other - Manual time entry",
};

inline constexpr std::array<std::string_view, 5> RepeaterTypes{
    "Please select repeater type!",  "Harlen - Vesk QN Kappa-7",
    "Harlen - Vesk QN Star Coupler", "Mirato - Raylink",
    "Other - Manual length entry",
};

inline constexpr int kRouterManualTime = 7;
inline constexpr int kRepeaterManualLength = 4;

// kBits/s, the columns of RouterTable.
inline constexpr std::array<int32_t, 5> RateSteps{20, 50, 125, 250, 500};

struct RouterRow {
    std::array<int32_t, 5> correctionMs; // per router, one per RateSteps column
    int32_t rateLimit;                   // kBits/s, caps the longest segment's rate
};

inline constexpr std::array<RouterRow, 8> RouterTable{{
    {{0, 0, 0, 0, 0}, 500},
    {{25, 10, 5, 3, 2}, 500},
    {{25, 11, 5, 5, 5}, 500},
    {{25, 11, 5, 5, 5}, 500},
    {{25, 11, 5, 5, 5}, 500},
    {{50, 40, 40, 40, 40}, 50},
    {{75, 51, 45, 45, 45}, 50},
    {{0, 0, 0, 0, 0}, 500},
}};

// Virtual cable length in m per repeater; the manual type has none here.
inline constexpr std::array<int32_t, 5> kRepeaterMetres{0, 40, 50, 90, 0};

// Sets LRepeater from the repeater type (the manual type keeps the entered
// value, an unknown index gives 0); returns the total virtual length in m,
// exact in 64 bits.
int64_t RepeaterLength(CalcState& state, int32_t numRepeater, int repeaterType);

// One of 500, 250, 125, 50, 20, 10 kBits/s for a segment of `length` m.
int32_t SelectRate(CalcState& state, int32_t length, int32_t dropMax, int32_t dropTot,
                   int32_t numRepeater, int repeaterType);

// Sets Baud and BaudLong. `mainBaudText` is Ed_MainBaud's text, read here
// with its own default of 500 for a directly entered rate.
void DetermineRates(CalcState& state, const Selections& selections, std::string_view mainBaudText);

// Sets RouterCorr for the rate and type; returns NumRouters x RouterCorr in
// ms, held at the 32-bit limit rather than wrapped.
int32_t RouterCorrection(CalcState& state, int32_t numRouters, int32_t rate, int routerType);

// Column of RateSteps used for `rate`: the fastest step not faster than the
// rate, the 20 column below 20. Off-table rates so get the larger, safe time.
int RateColumn(int32_t rate);

} // namespace qntcalc
