#pragma once

#include "base/Result.h"
#include "whatif/Headroom.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Which input limits the network first? The headroom of every input a user
// can type into now, each searched exactly as qntcalc-cli --headroom does by
// default, against the same requirements.
namespace qntcalc {

struct InputLimit {
    const WhatIfInput* input = nullptr;
    int32_t searchedTo = 0; // the end of the search
    Headroom headroom;
    // How far the input can move from its current value and still meet
    // every requirement, in its own unit; none when the current value fails.
    std::optional<int64_t> margin;
    // The margin in percent of the current value; none when the current
    // value fails or is 0.
    std::optional<double> marginPercent;

    bool MeetsNow() const { return headroom.MeetsNow(); }
    // No value up to the end of the search fails.
    bool Unbounded() const { return MeetsNow() && !headroom.next; }
};

// Where the default search of an input from `current` ends: its practical
// limit, and never below the current value of a growing input; at most
// kMostWhatIfValues values from the current one.
int32_t DefaultHeadroomLimit(const WhatIfInput& input, int32_t current);

// Tightest first: inputs whose current value fails (in the window's order),
// then the smallest margin in percent (a current value of 0 has no
// percentage: it counts as 0% when the input cannot move at all, else after
// every one that has one; ties by margin), then inputs that never fail up to
// the end of their search. Stable: ties keep their order.
void SortTightestFirst(std::vector<InputLimit>& limits);

// Fills `limits` with every input the window lets a user type into now, in
// the window's order sorted tightest first.
Result FindLimits(WhatIf& whatIf, const Requirements& required, std::vector<InputLimit>& limits);

// The same from a snapshot of the main window, on any thread. Nothing when
// `keepGoing`, asked before each input, stops it, or the search is refused.
std::optional<std::vector<InputLimit>> FindLimits(const WindowSnapshot& mainWindow,
                                                  const Requirements& required,
                                                  const std::function<bool()>& keepGoing);

// One row of the overview for people, in the order of LimitsHeadings: the
// input's label with its unit, the current value, the direction, the last
// value that meets everything, the first that fails (or where the search
// ended), the margin and the margin in percent (one decimal), the cause.
inline constexpr std::size_t kLimitColumns = 8;
std::array<std::string, kLimitColumns> LimitsHeadings();
std::array<std::string, kLimitColumns> LimitCells(const InputLimit& limit,
                                                  const Requirements& required);

// The margin in percent with one decimal ("70.0", "1,900.0"); none when it
// has none.
std::optional<std::string> MarginPercentText(const InputLimit& limit);

// Whether the current state meets every requirement.
bool MeetsRequirements(const std::vector<InputLimit>& limits);

} // namespace qntcalc
