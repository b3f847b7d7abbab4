#include "whatif/Limits.h"

#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

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

LimitsColumns ColumnsFor(const std::vector<InputLimit>& limits) {
    const bool fails = std::any_of(limits.begin(), limits.end(),
                                   [](const InputLimit& limit) { return !limit.MeetsNow(); });
    return fails ? LimitsColumns::Failing : LimitsColumns::Meeting;
}

std::vector<std::string> LimitsHeadings(LimitsColumns columns) {
    using namespace texts;
    if (columns == LimitsColumns::Failing)
        return {std::string(kLimitsInput), std::string(kLimitsCurrent),
                std::string(kLimitsNearest), std::string(kLimitsResultThere),
                std::string(kLimitsCause)};
    return {std::string(kLimitsInput), std::string(kLimitsCurrent), std::string(kLimitsLast),
            std::string(kLimitsNext),  std::string(kLimitsMargin),  std::string(kLimitsCause)};
}

bool NumericLimitColumn(LimitsColumns columns, std::size_t column) {
    if (columns == LimitsColumns::Failing)
        return column == 1 || column == 3;
    return column >= 1 && column <= 4;
}

namespace {

// "+10" or "-80": a fix's change always shows its direction.
std::string Signed(int64_t change, std::string magnitude) {
    return (change > 0 ? "+" : "") + std::move(magnitude);
}

std::string PercentText(const Fix& fix) {
    return Signed(fix.change, text::GroupedDecimal(*fix.changePercent, 1));
}

std::string NearestText(const InputLimit& limit) {
    if (limit.needs)
        return text::Format(texts::kLimitsNeeds, {limit.needs->inSentence});
    if (limit.MeetsNow())
        return std::string(texts::kLimitsNone);
    if (limit.kept)
        return std::string(texts::kLimitsKeptNoFix);
    if (!limit.fix)
        return text::Format(texts::kLimitsNoFix, {GroupedNumber(limit.fixRange.from),
                                                  GroupedNumber(limit.fixRange.to)});
    const Fix& fix = *limit.fix;
    const std::string change = Signed(fix.change, GroupedNumber(fix.change));
    if (!fix.changePercent)
        return text::Format(texts::kLimitsFixAtZero, {GroupedNumber(fix.point.value), change});
    return text::Format(texts::kLimitsFix,
                        {GroupedNumber(fix.point.value), change, PercentText(fix)});
}

// What the fix gives: the worst case reaction time, and each time that is
// required besides.
std::string ResultThereText(const InputLimit& limit, const Requirements& required) {
    if (!limit.fix)
        return std::string(texts::kLimitsNone);
    const CalcState& there = limit.fix->point.state;
    return TimesText(texts::kLimitsResult, required, there.Rmax, there.ETO, there.CTO);
}

std::string MarginText(const InputLimit& limit) {
    if (limit.needs)
        return text::Format(texts::kLimitsNeeds, {limit.needs->inSentence});
    if (!limit.margin)
        return std::string(texts::kLimitsNone);
    const std::optional<std::string> percent = MarginPercentText(limit);
    return percent ? text::Format(texts::kLimitsMarginWithPercent,
                                  {GroupedNumber(*limit.margin), *percent})
                   : GroupedNumber(*limit.margin);
}

} // namespace

std::vector<std::string> LimitCells(const InputLimit& limit, const Requirements& required,
                                    LimitsColumns columns) {
    const Headroom& h = limit.headroom;
    const WhatIfInput& input = *limit.input;
    std::string label = std::string(input.subject) + std::string(UnitTag(input.unit)) +
                        std::string(limit.kept ? texts::kLimitsKeptMark : "");
    std::string cause = h.next ? ShortfallText(*h.next, required).value_or("") : std::string();
    if (columns == LimitsColumns::Failing)
        return {std::move(label), GroupedNumber(h.current), NearestText(limit),
                ResultThereText(limit, required), std::move(cause)};
    return {std::move(label),
            GroupedNumber(h.current),
            h.last ? GroupedNumber(h.last->value) : std::string(texts::kLimitsNone),
            h.next ? GroupedNumber(h.next->value)
                   : text::Format(texts::kLimitsNoneUpTo, {GroupedNumber(limit.searchedTo)}),
            MarginText(limit),
            std::move(cause)};
}

std::optional<std::string> MarginPercentText(const InputLimit& limit) {
    if (!limit.marginPercent)
        return std::nullopt;
    return text::GroupedDecimal(*limit.marginPercent, 1);
}

std::optional<Closest> ClosestChange(const std::vector<InputLimit>& limits) {
    std::optional<Closest> closest;
    for (const InputLimit& limit : limits) {
        if (limit.MeetsNow() || limit.fix)
            return std::nullopt;
        if (!limit.lowest)
            continue;
        const int32_t rmax = limit.lowest->state.Rmax;
        if (!closest || rmax < closest->point.state.Rmax)
            closest = Closest{limit.input, *limit.lowest};
    }
    return closest;
}

std::string ClosestSentence(const Closest& closest) {
    return text::Format(texts::kLimitsClosest,
                        {Milliseconds(closest.point.state.Rmax), closest.input->inSentence,
                         WithUnit(closest.point.value, closest.input->unit)});
}

namespace {

std::string_view FixPattern(InputUnit unit, bool down) {
    switch (unit) {
    case InputUnit::Metres:
    case InputUnit::Milliseconds:
        return down ? texts::kFixShorten : texts::kFixLengthen;
    case InputUnit::Count:
        return down ? texts::kFixReduce : texts::kFixRaise;
    case InputUnit::KBitsPerSecond:
    case InputUnit::Percent:
        break;
    }
    return down ? texts::kFixLower : texts::kFixRaise;
}

} // namespace

std::string FixSentence(const InputLimit& limit, const Requirements& required) {
    const Fix& fix = *limit.fix;
    const WhatIfInput& input = *limit.input;
    const CalcState& after = fix.point.state;
    const std::string change =
        fix.changePercent ? PercentText(fix) + "%"
                          : Signed(fix.change, WithUnit(static_cast<int32_t>(fix.change), input.unit));
    std::vector<std::string> effects{
        text::Format(texts::kFixBecomes, {texts::kRequirementRmax, Milliseconds(after.Rmax)})};
    if (required.etoMs)
        effects.push_back(
            text::Format(texts::kFixBecomes, {texts::kRequirementEto, Milliseconds(after.ETO)}));
    if (required.ctoMs)
        effects.push_back(
            text::Format(texts::kFixBecomes, {texts::kRequirementCto, Milliseconds(after.CTO)}));
    // The current state's rate, as the failing current value shows it.
    const std::optional<WhatIfPoint>& now = limit.headroom.next;
    if (now && !now->rejected && now->state.Baud != after.Baud)
        effects.insert(effects.begin(),
                       text::Format(after.Baud > now->state.Baud ? texts::kFixRateRises
                                                                 : texts::kFixRateDrops,
                                    {WithUnit(after.Baud, InputUnit::KBitsPerSecond)}));
    const std::string effect = text::Format(texts::kFixClauses[effects.size() - 1], effects);
    return text::Format(FixPattern(input.unit, fix.change < 0),
                        {input.inSentence, WithUnit(limit.headroom.current, input.unit),
                         WithUnit(fix.point.value, input.unit), change, effect});
}

} // namespace qntcalc
