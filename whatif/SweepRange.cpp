#include "whatif/SweepRange.h"

#include "window/FieldTable.h"
#include "window/MasterForm.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace qntcalc {

namespace {

// A default range spans at least this many values beyond its start.
constexpr int64_t kShortestDefaultSpan = 20;
constexpr int64_t kMost = kMostSweepValues;

} // namespace

SweepRange PracticalRange(const WhatIfInput& input) {
    return {std::max(0, TMasterForm::LowestAccepted(input.field)),
            input.searchDownwards ? field_limits::kSlowestCycleMs : input.practicalLimit};
}

SweepRange DefaultRange(const WhatIfInput& input, int32_t current) {
    const SweepRange practical = PracticalRange(input);
    int64_t from = std::min(practical.from, current);
    int64_t to = std::max<int64_t>(2 * int64_t{current}, from + kShortestDefaultSpan);
    if (!input.searchDownwards)
        to = std::min<int64_t>(to, std::max(practical.to, current));
    if (to - from + 1 > kMost) {
        // Around the current value, but never past the end chosen above.
        from = std::max<int64_t>(from, std::min<int64_t>(current - kMost / 2, to - kMost + 1));
        to = std::min<int64_t>(to, from + kMost - 1);
    }
    if (to > std::numeric_limits<int32_t>::max()) {
        to = std::numeric_limits<int32_t>::max();
        from = to - kMost + 1;
    }
    return {static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

SweepRange ClampRange(int32_t from, int32_t to) {
    if (from > to)
        std::swap(from, to);
    if (int64_t{to} - from + 1 > kMost)
        to = static_cast<int32_t>(from + kMost - 1);
    return {from, to};
}

} // namespace qntcalc
