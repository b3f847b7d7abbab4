#pragma once

#include "base/Result.h"
#include "whatif/Requirements.h"
#include "whatif/SweepRange.h"
#include "whatif/WhatIf.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// When the network fails its requirements: the smallest change to one input
// that makes it meet them. Results step with the rate and are not
// monotonic, so every value is typed, nearest first, in both directions.
namespace qntcalc {

// The nearest value of an input that meets every requirement.
struct Fix {
    WhatIfPoint point; // at the fix's value
    int64_t change = 0; // the value minus the current one
    // In percent of the current value; none at 0.
    std::optional<double> changePercent;
};

struct FixSearch {
    SweepRange range; // the values searched
    std::optional<Fix> fix;
    // The lowest worst case reaction time a computed value reached (refused
    // values and error statuses have none).
    std::optional<WhatIfPoint> lowest;
    bool complete = true; // false when stopped
};

// The values a fix is searched among: from the lowest the field accepts to
// its practical limit (cycle times searched downwards: to the slowest
// cycle time), at most kMostWhatIfValues values either way, with the
// current value unless no value above the limit can meet, which leaves a
// hostile value above it out.
SweepRange FixRange(const WhatIfInput& input, int32_t current);

// A realistic range holds at most a few thousand values; a hostile value
// far past an input's practical limit would take a million, and the
// overview of every input seconds each.
inline constexpr int64_t kMostFixValues = 10'000;

// Types the values at distance 1, 2, ... below and above the current one
// and stops at the first that meets; at equal distances the smaller value
// wins. After kMostFixValues values it stops at the end of a distance, with
// `search.range` narrowed to the values it went through. False from
// `keepGoing`, asked before each value, stops it with `search` incomplete.
Result FindFix(WhatIf& whatIf, const WhatIfInput& input, const Requirements& required,
               const std::function<bool()>& keepGoing, FixSearch& search);

// The same over the points of a sweep, without computing anything again:
// the nearest value among them that meets, the smaller at equal distances;
// none when the current value is not among them or meets already.
std::optional<int32_t> FixInSweep(std::span<const WhatIfPoint> points, int32_t current,
                                  const Requirements& required);

// An input that only matters once another is filled in: the cycle time of
// cyclic bits, the router type, the repeater type.
struct Enabler {
    std::string key;     // its project key: "OutCycl", "RouterType"
    std::string_view inSentence; // for people: "cycle time of cyclic outputs"
    // Fills it in as a user would: the first type of the list, the slowest
    // cycle time that counts.
    WhatIf::Change fill;
    bool operator==(const Enabler& other) const {
        return key == other.key && inSentence == other.inSentence;
    }
};
// What `field` needs filled in first, if it is still empty (0) or unchosen.
std::optional<Enabler> EmptyEnabler(const WhatIf& whatIf, Field field);


} // namespace qntcalc
