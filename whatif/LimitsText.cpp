#include "whatif/LimitsText.h"

#include "text/Numbers.h"
#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

#include <algorithm>

namespace qntcalc {

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
    std::string label = std::string(input.subject) + UnitTag(input.unit) +
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
