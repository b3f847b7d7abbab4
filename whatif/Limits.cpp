#include "whatif/Limits.h"

#include "whatif/SweepRange.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace qntcalc {

namespace {

InputLimit Measured(const WhatIfInput& input, int32_t searchedTo, Headroom headroom) {
    InputLimit limit;
    limit.input = &input;
    limit.searchedTo = searchedTo;
    limit.headroom = std::move(headroom);
    const Headroom& h = limit.headroom;
    if (!h.last)
        return limit;
    const int64_t moved = static_cast<int64_t>(h.last->value) - h.current;
    limit.margin = h.direction == Direction::Up ? moved : -moved;
    if (h.current != 0)
        limit.marginPercent = 100.0 * static_cast<double>(*limit.margin) /
                              std::abs(static_cast<double>(h.current));
    return limit;
}

// Smaller is tighter.
auto Tightness(const InputLimit& limit) {
    constexpr double kNoPercent = std::numeric_limits<double>::infinity();
    if (!limit.MeetsNow()) {
        if (!limit.fix)
            return std::make_tuple(limit.needs ? 2 : 1, 0.0, int64_t{0});
        const int64_t change = std::abs(limit.fix->change);
        return std::make_tuple(0, limit.fix->changePercent ? std::abs(*limit.fix->changePercent)
                                                           : kNoPercent,
                               change);
    }
    const int group = limit.needs ? 3 : limit.Unbounded() ? 2 : 1;
    // An input at 0 that cannot move at all is as tight as one with 0%.
    const double stuck = limit.margin == 0 ? 0.0 : kNoPercent;
    return std::make_tuple(group, limit.marginPercent.value_or(stuck), limit.margin.value_or(0));
}

// Whether the input is no limit: at 0, with its next value failing only
// for want of an input it enables.
Result CheckNeeds(WhatIf& whatIf, const Requirements& required, InputLimit& limit) {
    const Headroom& h = limit.headroom;
    if (h.current != 0 || h.direction != Direction::Up)
        return {};
    std::optional<Enabler> enabler = EmptyEnabler(whatIf, h.field);
    if (!enabler)
        return {};
    WhatIfPoint one;
    if (h.next && h.next->value == 1) {
        one = *h.next;
    } else if (Result failed = whatIf.Evaluate(h.field, 1, one); !failed.Ok()) {
        return failed;
    }
    if (Judge(one, required) != Shortfall::ErrorStatus)
        return {};
    // Only where filling it in clears that error: otherwise something else
    // is missing, and the row says what as any other does.
    WhatIfPoint filled;
    if (Result failed = whatIf.EvaluateThen(h.field, 1, enabler->fill, filled); !failed.Ok())
        return failed;
    if (Judge(filled, required) == Shortfall::ErrorStatus)
        return {};
    limit.needs = std::move(enabler);
    limit.margin.reset();
    limit.marginPercent.reset();
    return {};
}

// Stops, leaving `limits` partly filled, as soon as `keepGoing` says so.
Result Collect(WhatIf& whatIf, const Requirements& required,
               const std::function<bool()>& keepGoing, std::vector<InputLimit>& limits) {
    limits.clear();
    for (const Field field : whatIf.EditableInputs()) {
        if (!keepGoing())
            return {};
        const WhatIfInput& input = *FindWhatIfInput(field);
        const int32_t to = DefaultHeadroomLimit(input, whatIf.CurrentValue(field));
        Headroom headroom;
        if (Result failed = FindHeadroom(whatIf, field, required, to, headroom); !failed.Ok())
            return failed;
        InputLimit limit = Measured(input, to, std::move(headroom));
        limit.kept = required.kept.Has(field);
        if (!limit.MeetsNow() && !limit.kept) {
            FixSearch search;
            if (Result failed = FindFix(whatIf, input, required, keepGoing, search); !failed.Ok())
                return failed;
            if (!search.complete)
                return {};
            limit.fix = std::move(search.fix);
            limit.fixRange = search.range;
            limit.lowest = std::move(search.lowest);
        }
        if (Result failed = CheckNeeds(whatIf, required, limit); !failed.Ok())
            return failed;
        limits.push_back(std::move(limit));
    }
    SortTightestFirst(limits);
    return {};
}

} // namespace

void SortTightestFirst(std::vector<InputLimit>& limits) {
    std::stable_sort(limits.begin(), limits.end(), [](const InputLimit& a, const InputLimit& b) {
        return Tightness(a) < Tightness(b);
    });
}

int32_t DefaultHeadroomLimit(const WhatIfInput& input, int32_t current) {
    const SweepRange practical = PracticalRange(input);
    const int32_t end =
        input.searchDownwards ? practical.from : std::max(practical.to, current);
    const int64_t most = kMostWhatIfValues - 1;
    if (end < current)
        return static_cast<int32_t>(std::max<int64_t>(end, int64_t{current} - most));
    return static_cast<int32_t>(std::min<int64_t>(end, int64_t{current} + most));
}

Result FindLimits(WhatIf& whatIf, const Requirements& required, std::vector<InputLimit>& limits) {
    return Collect(whatIf, required, [] { return true; }, limits);
}

Result FindLimits(WhatIf& whatIf, const Requirements& required,
                  const std::function<bool()>& keepGoing, std::vector<InputLimit>& limits) {
    return Collect(whatIf, required, keepGoing, limits);
}

std::optional<std::vector<InputLimit>> FindLimits(const WindowSnapshot& mainWindow,
                                                  const Requirements& required,
                                                  const std::function<bool()>& keepGoing) {
    WhatIf whatIf(mainWindow);
    std::vector<InputLimit> limits;
    if (!Collect(whatIf, required, keepGoing, limits).Ok() ||
        limits.size() != whatIf.EditableInputs().size())
        return std::nullopt;
    return limits;
}

} // namespace qntcalc
