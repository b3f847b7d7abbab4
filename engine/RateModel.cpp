#include "engine/RateModel.h"

#include "engine/Int32.h"

#include <algorithm>

namespace qntcalc {

namespace {

struct LengthBound {
    int32_t bound; // m, also the limit of the effective length
    int32_t dropMax;
    int32_t dropTot;
};

constexpr std::array<LengthBound, 5> kBounds{{
    {100, 2, 10},
    {250, 6, 30},
    {550, 8, 40},
    {1450, 12, 60},
    {3500, 25, 125},
}};

// Fastest rate first; beyond the last bound the rate is 10.
constexpr std::array<int32_t, 5> kRateForBound{500, 250, 125, 50, 20};
constexpr int32_t kSlowestRate = 10;

constexpr int32_t kDirectRateDefault = 500;

} // namespace

int64_t RepeaterLength(CalcState& state, int32_t numRepeater, int repeaterType) {
    if (repeaterType != kRepeaterManualLength) {
        const bool known =
            repeaterType >= 0 && repeaterType < static_cast<int>(RepeaterTypes.size());
        state.LRepeater = known ? kRepeaterMetres[static_cast<std::size_t>(repeaterType)] : 0;
    }
    return int64_t{numRepeater} * state.LRepeater;
}

int32_t SelectRate(CalcState& state, int32_t length, int32_t dropMax, int32_t dropTot,
                   int32_t numRepeater, int repeaterType) {
    // In 64 bits: a network longer than 32 bits can count must rate as too
    // long, not wrap round to a short one.
    const int64_t l = int64_t{length} + RepeaterLength(state, numRepeater, repeaterType);
    const int64_t withDrops = l + int64_t{6} * dropMax;

    int64_t bound = withDrops;
    for (const LengthBound& row : kBounds) {
        if (l <= row.bound && dropMax <= row.dropMax && dropTot <= row.dropTot) {
            bound = row.bound;
            break;
        }
    }
    const int64_t effective = std::min(bound, withDrops);

    for (std::size_t i = 0; i < kBounds.size(); ++i) {
        if (effective <= kBounds[i].bound)
            return kRateForBound[i];
    }
    return kSlowestRate;
}

void DetermineRates(CalcState& state, const Selections& selections, std::string_view mainBaudText) {
    if (!selections.rateFromStructure) {
        state.Baud = i32::ParseOr(mainBaudText, kDirectRateDefault);
        state.BaudLong = state.Baud;
        return;
    }
    if (state.NumRouters <= 0) {
        state.Baud = SelectRate(state, state.Mainpath, state.DropMax, state.DropTot,
                                state.NumRepeater, selections.repeaterType);
        state.BaudLong = state.Baud;
        return;
    }
    // The whole network runs at the rate the MD's segment allows.
    state.Baud = SelectRate(state, state.MDSeg, state.DropMax, state.DropTot, state.NumRepeater,
                            selections.repeaterType);
    state.BaudLong = SelectRate(state, state.LongSeg, state.DropMax, state.DropTot,
                                state.NumRepeater, selections.repeaterType);
    if (selections.routerType > 0 && selections.routerType < static_cast<int>(RouterTable.size()))
        state.BaudLong = std::min(
            state.BaudLong, RouterTable[static_cast<std::size_t>(selections.routerType)].rateLimit);
}

int RateColumn(int32_t rate) {
    int column = 0;
    for (std::size_t i = 0; i < RateSteps.size(); ++i) {
        if (RateSteps[i] <= rate)
            column = static_cast<int>(i);
    }
    return column;
}

int32_t RouterCorrection(CalcState& state, int32_t numRouters, int32_t rate, int routerType) {
    // The manual type means the user types the time: keep what was read.
    if (routerType != kRouterManualTime) {
        const bool known = routerType >= 0 && routerType < static_cast<int>(RouterTable.size());
        state.RouterCorr = known ? RouterTable[static_cast<std::size_t>(routerType)]
                                       .correctionMs[static_cast<std::size_t>(RateColumn(rate))]
                                 : 0;
    }
    return i32::MulSat(numRouters, state.RouterCorr);
}

} // namespace qntcalc
