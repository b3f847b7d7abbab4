#include "app/Headroom.h"

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
    headroom.limit = current;
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
        headroom.limit = static_cast<int32_t>(v);
    }
    return headroom;
}

struct Requirement {
    std::string_view name;
    int32_t value;
    int32_t required;
};

Requirement Broken(const WhatIfPoint& point, Shortfall shortfall, const Requirements& required) {
    switch (shortfall) {
    case Shortfall::Eto:
        return {"event timeout (ETO)", point.state.ETO, required.etoMs.value_or(0)};
    case Shortfall::Cto:
        return {"cycle timeout (CTO)", point.state.CTO, required.ctoMs.value_or(0)};
    default:
        return {"worst case reaction time", point.state.Rmax, required.rmaxMs};
    }
}

// "the status bar shows "...""; `becomes` for a change, else "is".
std::string Effect(const WhatIfPoint& point, Shortfall shortfall, const Requirements& required,
                   std::string_view verb) {
    switch (shortfall) {
    case Shortfall::None:
        return {};
    case Shortfall::Rejected:
        return "the value check refuses it: \"" + ShortfallText(point, required).value_or("") +
               "\"";
    case Shortfall::ErrorStatus:
        return "the status bar shows \"" + point.status + "\"";
    case Shortfall::Rmax:
    case Shortfall::Eto:
    case Shortfall::Cto:
        break;
    }
    const Requirement r = Broken(point, shortfall, required);
    return "the " + std::string(r.name) + " " + std::string(verb) + " " +
           WithUnit(r.value, InputUnit::Milliseconds) + ", above the required " +
           WithUnit(r.required, InputUnit::Milliseconds);
}

// A quoted message that ends a sentence already brings its full stop.
std::string EndSentence(std::string text) {
    const std::size_t n = text.size();
    const bool closed = n >= 2 && text[n - 1] == '"' &&
                        (text[n - 2] == '.' || text[n - 2] == '!' || text[n - 2] == '?');
    return closed ? text : text + ".";
}

} // namespace

Shortfall Judge(const WhatIfPoint& point, const Requirements& required) {
    if (point.rejected)
        return Shortfall::Rejected;
    if (point.statusError || !point.state.Stable)
        return Shortfall::ErrorStatus;
    if (point.state.Rmax > required.rmaxMs)
        return Shortfall::Rmax;
    if (required.etoMs && point.state.ETO > *required.etoMs)
        return Shortfall::Eto;
    if (required.ctoMs && point.state.CTO > *required.ctoMs)
        return Shortfall::Cto;
    return Shortfall::None;
}

std::optional<std::string> ShortfallText(const WhatIfPoint& point, const Requirements& required) {
    const Shortfall shortfall = Judge(point, required);
    switch (shortfall) {
    case Shortfall::None:
        return std::nullopt;
    case Shortfall::Rejected:
        return point.valueErrors.empty() ? std::string() : point.valueErrors.front();
    case Shortfall::ErrorStatus:
        return point.status;
    case Shortfall::Rmax:
    case Shortfall::Eto:
    case Shortfall::Cto:
        break;
    }
    const Requirement r = Broken(point, shortfall, required);
    return std::string(r.name) + " " + WithUnit(r.value, InputUnit::Milliseconds) +
           " above the required " + WithUnit(r.required, InputUnit::Milliseconds);
}

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
    const int32_t towards = direction == Direction::Up ? 1 : -1;
    const int64_t end = direction == Direction::Up ? INT32_MAX : INT32_MIN;
    // Ascending and descending sweeps alike: follow whichever neighbour
    // holds the next value, as long as the values stay whole steps apart.
    std::ptrdiff_t stride = 0;
    return Scan(field, current, static_cast<int32_t>(end), direction, required,
                [&](int32_t value) -> std::optional<WhatIfPoint> {
                    if (value == current)
                        return points[at];
                    if (stride == 0) {
                        const bool ahead = at + 1 < points.size() && points[at + 1].value == value;
                        const bool behind = at > 0 && points[at - 1].value == value;
                        stride = ahead ? 1 : behind ? -1 : 0;
                        if (stride == 0)
                            return std::nullopt;
                    }
                    const std::ptrdiff_t i =
                        static_cast<std::ptrdiff_t>(at) +
                        stride * (static_cast<int64_t>(value) - current) * towards;
                    if (i < 0 || i >= static_cast<std::ptrdiff_t>(points.size()) ||
                        points[static_cast<std::size_t>(i)].value != value)
                        return std::nullopt;
                    return points[static_cast<std::size_t>(i)];
                });
}

std::string HeadroomSentence(const Headroom& headroom, const Requirements& required) {
    const WhatIfInput* input = FindWhatIfInput(headroom.field);
    const std::string label(input ? input->label : FieldName(headroom.field));
    const InputUnit unit = input ? input->unit : InputUnit::Count;
    const auto shown = [unit](int32_t value) { return WithUnit(value, unit); };
    const bool up = headroom.direction == Direction::Up;

    if (!headroom.last) {
        if (!headroom.next)
            return label + " has no computed value at " + shown(headroom.current) + ".";
        return EndSentence(label + " at " + shown(headroom.current) +
                           " does not meet the requirements: " +
                           Effect(*headroom.next, headroom.cause, required, "is"));
    }

    const int32_t last = headroom.last->value;
    if (!headroom.next && last == headroom.current)
        return label + " meets the requirements at " + shown(last) +
               ", the end of the searched range.";
    std::string sentence = label;
    if (last == headroom.current)
        sentence += std::string(up ? " cannot grow beyond " : " cannot shrink below ") +
                    shown(headroom.current);
    else
        sentence += std::string(up ? " can grow from " : " can shrink from ") +
                    shown(headroom.current) + " to " + shown(last);
    if (!headroom.next)
        return sentence + ", the end of the searched range, within the requirements.";

    const WhatIfPoint& next = *headroom.next;
    sentence += "; at " + shown(next.value) + " ";
    const int32_t rateBefore = headroom.last->state.Baud;
    const int32_t rateAfter = next.state.Baud;
    if (!next.rejected && rateAfter != rateBefore)
        sentence +=
            std::string(rateAfter < rateBefore ? "the rate drops to " : "the rate rises to ") +
            WithUnit(rateAfter, InputUnit::KBitsPerSecond) + " and ";
    return EndSentence(sentence + Effect(next, headroom.cause, required, "becomes"));
}

} // namespace qntcalc
