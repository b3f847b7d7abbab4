#pragma once

#include "base/Result.h"
#include "whatif/Headroom.h"
#include "whatif/NearestMeeting.h"

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
    // While the current value fails: the nearest value that meets, searched
    // over fixRange, and the lowest worst case reaction time reached there.
    std::optional<Fix> fix;
    SweepRange fixRange;
    std::optional<WhatIfPoint> lowest;
    // An input at 0 whose next value fails only for want of another that
    // is still empty or unchosen: it is no limit, and has no margin.
    std::optional<Enabler> needs;
    // The design cannot change it: it gets no fix.
    bool kept = false;

    bool MeetsNow() const { return headroom.MeetsNow(); }
    // No value up to the end of the search fails.
    bool Unbounded() const { return MeetsNow() && !headroom.next; }
};

// Where the default search of an input from `current` ends: its practical
// limit, and never below the current value of a growing input; at most
// kMostWhatIfValues values from the current one.
int32_t DefaultHeadroomLimit(const WhatIfInput& input, int32_t current);

// Tightest first. While the current state meets the requirements: the
// smallest margin in percent (a current value of 0 has no percentage: it
// counts as 0% when the input cannot move at all, else after every one that
// has one; ties by margin), then inputs that never fail up to the end of
// their search, then those that need another input first. While it fails:
// inputs with a fix first, by the smallest change in percent (a current
// value of 0 by its change, after every percentage), then the rest in the
// window's order, those that need another input first last. Stable: ties
// keep their order.
void SortTightestFirst(std::vector<InputLimit>& limits);

// Fills `limits` with every input the window lets a user type into now, in
// the window's order sorted tightest first.
Result FindLimits(WhatIf& whatIf, const Requirements& required, std::vector<InputLimit>& limits);
// The same, asking `keepGoing` before each input and each value a fix's
// search types: it may read `limits` to learn how many inputs are done.
// Stopped, it leaves fewer limits than there are inputs.
Result FindLimits(WhatIf& whatIf, const Requirements& required,
                  const std::function<bool()>& keepGoing, std::vector<InputLimit>& limits);

// The same from a snapshot of the main window, on any thread. Nothing when
// `keepGoing`, asked before each input, stops it, or the search is refused.
std::optional<std::vector<InputLimit>> FindLimits(const WindowSnapshot& mainWindow,
                                                  const Requirements& required,
                                                  const std::function<bool()>& keepGoing);

} // namespace qntcalc
