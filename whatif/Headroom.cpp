#include "whatif/Headroom.h"

#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

#include <functional>

namespace qntcalc {

namespace {

// The point for a value, or nothing where the values end.
using PointAt = std::function<std::optional<WhatIfPoint>(int32_t value)>;

Headroom Scan(Field field, int32_t current, int32_t limit, Direction direction,
              const Requirements& required, const PointAt& at) {
    Headroom headroom;
    headroom.field = field;
    headroom.direction = direction;
    headroom.current = current;
    const int64_t stride = direction == Direction::Up ? 1 : -1;
    for (int64_t v = current; direction == Direction::Up ? v <= limit : v >= limit; v += stride) {
        std::optional<WhatIfPoint> point = at(static_cast<int32_t>(v));
        if (!point)
            break;
        const Shortfall shortfall = Judge(*point, required);
        if (shortfall != Shortfall::None) {
            headroom.next = std::move(point);
            headroom.cause = shortfall;
            break;
        }
        headroom.last = std::move(point);
    }
    return headroom;
}

// What the failing value does; `broken` says how a broken requirement reads.
std::string Effect(const WhatIfPoint& point, Shortfall shortfall, const Requirements& required,
                   std::string_view broken) {
    switch (shortfall) {
    case Shortfall::None:
        return {};
    case Shortfall::Rejected:
        return text::Format(texts::kHeadroomRefused,
                            {ShortfallText(point, required).value_or("")});
    case Shortfall::ErrorStatus:
        return text::Format(texts::kHeadroomStatus, {point.status});
    case Shortfall::Rmax:
    case Shortfall::Eto:
    case Shortfall::Cto:
        break;
    }
    const BrokenRequirement r = *FindBrokenRequirement(point.state, required);
    return text::Format(broken, {r.name, Milliseconds(r.value), Milliseconds(r.required)});
}

// A quoted message that ends a sentence already brings its full stop.
std::string Sentence(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string out = text::Format(pattern, arguments);
    const std::size_t n = out.size();
    const bool doubled = n >= 3 && out[n - 1] == '.' && out[n - 2] == '"' &&
                         (out[n - 3] == '.' || out[n - 3] == '!' || out[n - 3] == '?');
    if (doubled)
        out.pop_back();
    return out;
}

} // namespace

Result FindHeadroom(WhatIf& whatIf, Field field, const Requirements& required, int32_t limit,
                    Headroom& headroom) {
    const int32_t current = whatIf.CurrentValue(field);
    if (Result refused = whatIf.CanSweep(field, current, limit, 1); !refused.Ok())
        return refused;
    const Direction direction = limit < current ? Direction::Down : Direction::Up;
    Result failed;
    headroom = Scan(field, current, limit, direction, required,
                    [&](int32_t value) -> std::optional<WhatIfPoint> {
                        WhatIfPoint point;
                        failed = whatIf.Evaluate(field, value, point);
                        if (!failed.Ok())
                            return std::nullopt;
                        return point;
                    });
    return failed;
}

std::optional<Headroom> HeadroomInSweep(std::span<const WhatIfPoint> points, Field field,
                                        int32_t current, Direction direction,
                                        const Requirements& required) {
    std::size_t at = 0;
    while (at < points.size() && points[at].value != current)
        ++at;
    if (at == points.size())
        return std::nullopt;
    const int32_t end = direction == Direction::Up ? INT32_MAX : INT32_MIN;
    // The sweep ascends; it answers as far as its values stay one apart.
    return Scan(field, current, end, direction, required,
                [&](int32_t value) -> std::optional<WhatIfPoint> {
                    const int64_t i = static_cast<int64_t>(at) + (int64_t{value} - current);
                    if (i < 0 || i >= static_cast<int64_t>(points.size()) ||
                        points[static_cast<std::size_t>(i)].value != value)
                        return std::nullopt;
                    return points[static_cast<std::size_t>(i)];
                });
}

std::string EveryInputFailsSentence(const Headroom& headroom, const Requirements& required) {
    return Sentence(texts::kEveryInputFails,
                    {Effect(*headroom.next, headroom.cause, required, texts::kHeadroomIs)});
}

std::string HeadroomSentence(const Headroom& headroom, const Requirements& required) {
    const WhatIfInput* input = FindWhatIfInput(headroom.field);
    const std::string_view label = input ? input->subject : FieldName(headroom.field);
    const InputUnit unit = input ? input->unit : InputUnit::Count;
    const auto shown = [unit](int32_t value) { return WithUnit(value, unit); };
    const bool up = headroom.direction == Direction::Up;
    const std::string current = shown(headroom.current);

    if (!headroom.last) {
        if (!headroom.next)
            return text::Format(texts::kHeadroomNoValue, {label, current});
        return Sentence(texts::kHeadroomFailsNow,
                        {label, current,
                         Effect(*headroom.next, headroom.cause, required, texts::kHeadroomIs)});
    }

    const int32_t last = headroom.last->value;
    if (!headroom.next) {
        if (last == headroom.current)
            return text::Format(texts::kHeadroomMeetsToEnd, {label, current});
        return text::Format(up ? texts::kHeadroomGrowsToEnd : texts::kHeadroomShrinksToEnd,
                            {label, current, shown(last)});
    }

    const WhatIfPoint& next = *headroom.next;
    std::string effect = Effect(next, headroom.cause, required, texts::kHeadroomBecomes);
    const int32_t rateBefore = headroom.last->state.Baud;
    const int32_t rateAfter = next.state.Baud;
    if (!next.rejected && rateAfter != rateBefore)
        effect = text::Format(
            rateAfter < rateBefore ? texts::kHeadroomRateDrops : texts::kHeadroomRateRises,
            {WithUnit(rateAfter, InputUnit::KBitsPerSecond), effect});
    if (last == headroom.current)
        return Sentence(up ? texts::kHeadroomCannotGrow : texts::kHeadroomCannotShrink,
                        {label, current, shown(next.value), effect});
    return Sentence(up ? texts::kHeadroomGrows : texts::kHeadroomShrinks,
                    {label, current, shown(last), shown(next.value), effect});
}

} // namespace qntcalc
