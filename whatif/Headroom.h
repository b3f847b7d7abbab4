#pragma once

#include "whatif/Requirements.h"
#include "whatif/WhatIf.h"

#include <optional>
#include <span>
#include <string>

// How far can one input move before the network stops meeting its required
// reaction time? Results step with the transmission rate and are not
// monotonic, so the answer is the contiguous stretch of values, each one
// computed, from the current value on; never a bisection guess.
namespace qntcalc {

enum class Direction { Up, Down };

struct Headroom {
    Field field = Field::Mainpath;
    Direction direction = Direction::Up;
    int32_t current = 0;
    // The last value of the stretch that meets every requirement; none when
    // the current value does not.
    std::optional<WhatIfPoint> last;
    // The first value after it that fails (the current one when it fails);
    // none when every value up to the limit meets the requirements.
    std::optional<WhatIfPoint> next;
    Shortfall cause = Shortfall::None; // of `next`

    bool MeetsNow() const { return last.has_value(); }
};

// Types every value from the current one towards `limit` (downwards when
// the limit is below it) and stops at the first that fails. Refused, as a
// sweep is, when the input is not editable now or the search would type
// more than kMostWhatIfValues values.
Result FindHeadroom(WhatIf& whatIf, Field field, const Requirements& required, int32_t limit,
                    Headroom& headroom);

// The same over the points of an ascending sweep (the What-if window's range)
// without computing anything again. The search ends where the points stop
// holding every whole value next to the previous one; nothing when they do
// not hold the current value.
std::optional<Headroom> HeadroomInSweep(std::span<const WhatIfPoint> points, Field field,
                                        int32_t current, Direction direction,
                                        const Requirements& required);

// One sentence for people, with the input's unit: "Main path can grow from
// 100 m to 1,240 m; at 1,241 m the rate drops to 125 kBits/s and the worst
// case reaction time becomes 312 ms, above the required 300 ms."
std::string HeadroomSentence(const Headroom& headroom, const Requirements& required);
// Said once for a state that fails, where every input fails at its current
// value for the same reason: "Every input fails at its current value: the
// worst case reaction time is 118 ms, above the required 100 ms." Only for a
// headroom whose current value fails.
std::string EveryInputFailsSentence(const Headroom& headroom, const Requirements& required);

} // namespace qntcalc
