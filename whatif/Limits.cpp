#include "whatif/Limits.h"

#include "text/Numbers.h"
#include "text/Strings.h"
#include "whatif/WhatIfForm.h"
#include "whatif/WhatIfTexts.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace qntcalc {

namespace {

InputLimit Measured(const WhatIfInput& input, int32_t searchedTo, Headroom headroom) {
    InputLimit limit{&input, searchedTo, std::move(headroom), std::nullopt, std::nullopt};
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
    const int group = !limit.MeetsNow() ? 0 : limit.Unbounded() ? 2 : 1;
    // An input at 0 that cannot move at all is as tight as one with 0%.
    const double stuck = limit.margin == 0 ? 0.0 : kNoPercent;
    return std::make_tuple(group, limit.marginPercent.value_or(stuck), limit.margin.value_or(0));
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
        limits.push_back(Measured(input, to, std::move(headroom)));
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
    const int32_t end = input.searchDownwards ? input.practicalLimit
                                              : std::max(input.practicalLimit, current);
    const int64_t most = kMostWhatIfValues - 1;
    if (end < current)
        return static_cast<int32_t>(std::max<int64_t>(end, int64_t{current} - most));
    return static_cast<int32_t>(std::min<int64_t>(end, int64_t{current} + most));
}

Result FindLimits(WhatIf& whatIf, const Requirements& required, std::vector<InputLimit>& limits) {
    return Collect(whatIf, required, [] { return true; }, limits);
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

std::array<std::string, kLimitColumns> LimitsHeadings() {
    using namespace texts;
    return {std::string(kLimitsInput),        std::string(kLimitsCurrent),
            std::string(kLimitsDirection),    std::string(kLimitsLast),
            std::string(kLimitsNext),         std::string(kLimitsMargin),
            std::string(kLimitsMarginPercent), std::string(kLimitsCause)};
}

std::array<std::string, kLimitColumns> LimitCells(const InputLimit& limit,
                                                  const Requirements& required) {
    const Headroom& h = limit.headroom;
    const WhatIfInput& input = *limit.input;
    const std::string none(texts::kLimitsNone);
    return {std::string(input.subject) + std::string(UnitTag(input.unit)),
            GroupedNumber(h.current),
            std::string(h.direction == Direction::Up ? texts::kLimitsUp : texts::kLimitsDown),
            h.last ? GroupedNumber(h.last->value) : none,
            h.next ? GroupedNumber(h.next->value)
                   : text::Format(texts::kLimitsNoneUpTo, {GroupedNumber(limit.searchedTo)}),
            limit.margin ? GroupedNumber(*limit.margin) : none,
            MarginPercentText(limit).value_or(none),
            h.next ? ShortfallText(*h.next, required).value_or("") : std::string()};
}

std::optional<std::string> MarginPercentText(const InputLimit& limit) {
    if (!limit.marginPercent)
        return std::nullopt;
    return text::GroupedDecimal(*limit.marginPercent, 1);
}

bool MeetsRequirements(const std::vector<InputLimit>& limits) {
    return std::all_of(limits.begin(), limits.end(),
                       [](const InputLimit& limit) { return limit.MeetsNow(); });
}

} // namespace qntcalc
