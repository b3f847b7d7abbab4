#pragma once

#include "whatif/WhatIf.h"

#include <cstdint>

// Which values of an input a sweep of the What-if window covers.
namespace qntcalc {

// Whole values from `from` to `to`, both included.
struct SweepRange {
    int32_t from = 0;
    int32_t to = 0;
    bool operator==(const SweepRange&) const = default;
};

// A sweep of the window holds at most this many values: about 160 ms of
// computing, and a chart that still reads.
inline constexpr int32_t kMostSweepValues = 10000;

// The values worth asking about: from the lowest the field's check accepts
// (0 at the least) to the practical limit, or for a cycle time, searched
// downwards, to the slowest cycle the checks accept. The chart's default
// sweep, the headroom search and the fix search stay within it, unless the
// current value stands outside already.
SweepRange PracticalRange(const WhatIfInput& input);

// From the lowest value worth asking about (0, or 1 where the field's check
// refuses 0) to twice the current value, at least 20 values; a growing
// input stops at its practical limit unless it stands beyond it already.
// Always holds `current`, and at most kMostSweepValues values.
SweepRange DefaultRange(const WhatIfInput& input, int32_t current);
// The ends in order, cut to kMostSweepValues values above `from`.
SweepRange ClampRange(int32_t from, int32_t to);

} // namespace qntcalc
