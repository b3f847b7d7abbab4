#pragma once

#include "whatif/Limits.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The limits of every input for people: the overview's columns and cells,
// and the sentences of a fix and of the closest change.
namespace qntcalc {

// The overview for people, with the columns the state needs, read from the
// left. While the state meets the requirements: the input's label with its
// unit, the current value, the last value that meets everything, the first
// that fails (or where the search ended), the margin with its percentage
// (one decimal; what the input needs first, where it has none) and the
// cause. While it fails: the label, the current
// value, the nearest meeting value with its change (or what the input needs
// first, or that it is kept), the result there and the cause. A kept input's
// label ends in "(kept)".
enum class LimitsColumns { Meeting, Failing };
// Failing when any input's current value fails: they all show one state.
LimitsColumns ColumnsFor(const std::vector<InputLimit>& limits);
std::vector<std::string> LimitsHeadings(LimitsColumns columns);
std::vector<std::string> LimitCells(const InputLimit& limit, const Requirements& required,
                                    LimitsColumns columns);
// Numbers and times, read from the right; words from the left.
bool NumericLimitColumn(LimitsColumns columns, std::size_t column);
// The nearest meeting value's column while the state fails.
inline constexpr std::size_t kLimitNearestColumn = 2;

// The margin in percent with one decimal ("70.0", "1,900.0"); none when it
// has none.
std::optional<std::string> MarginPercentText(const InputLimit& limit);

// A fix for people: "Shorten the main path from 180 m to 100 m (-44.4%): the
// rate rises to 500 kBits/s and the worst case reaction time becomes 60 ms."
// Every time required is named. Only for a limit with a fix.
std::string FixSentence(const InputLimit& limit, const Requirements& required);

// When the state fails and no single input has a fix: the input and value
// that came nearest, by the lowest worst case reaction time reached.
struct Closest {
    const WhatIfInput* input = nullptr;
    WhatIfPoint point;
};
std::optional<Closest> ClosestChange(const std::vector<InputLimit>& limits);
// "No single change meets the requirements; the lowest worst case reaction
// time, 105 ms, comes with Main path at 120 m."
std::string ClosestSentence(const Closest& closest);

} // namespace qntcalc
