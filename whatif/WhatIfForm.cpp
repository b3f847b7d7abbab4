#include "whatif/WhatIfForm.h"

#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace qntcalc {

namespace {

// A default range spans at least this many values beyond its start.
constexpr int64_t kShortestDefaultSpan = 20;
constexpr int64_t kMost = kMostSweepValues;
constexpr int64_t kShortestTimeAxisMs = 10;
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

bool Neighbours(const WhatIfPoint& before, const WhatIfPoint& after) {
    return int64_t{after.value} - before.value == 1;
}

std::string Milliseconds(int32_t value) {
    return WithUnit(value, InputUnit::Milliseconds);
}

// The time axis never ends below this, so that every requirement reads.
int64_t LowestTimeAxisTop(const Requirements& required) {
    return std::max<int64_t>({kShortestTimeAxisMs, required.rmaxMs, required.etoMs.value_or(0),
                              required.ctoMs.value_or(0)});
}

} // namespace

SweepRange DefaultRange(const WhatIfInput& input, int32_t current) {
    const int64_t lowest = std::max<int64_t>(0, TMasterForm::LowestAccepted(input.field));
    int64_t from = std::min<int64_t>(lowest, current);
    int64_t to = std::max<int64_t>(2 * int64_t{current}, from + kShortestDefaultSpan);
    if (!input.searchDownwards)
        to = std::min<int64_t>(to, std::max<int64_t>(input.practicalLimit, current));
    if (to - from + 1 > kMost) {
        // Around the current value, but never past the end chosen above.
        from = std::max<int64_t>(from, std::min<int64_t>(current - kMost / 2, to - kMost + 1));
        to = std::min<int64_t>(to, from + kMost - 1);
    }
    if (to > std::numeric_limits<int32_t>::max()) {
        to = std::numeric_limits<int32_t>::max();
        from = to - kMost + 1;
    }
    return {static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

SweepRange ClampRange(int32_t from, int32_t to) {
    if (from > to)
        std::swap(from, to);
    if (int64_t{to} - from + 1 > kMost)
        to = static_cast<int32_t>(from + kMost - 1);
    return {from, to};
}

std::string_view UnitTag(InputUnit unit) {
    switch (unit) {
    case InputUnit::Metres:
        return " [m]";
    case InputUnit::Milliseconds:
        return " [ms]";
    case InputUnit::KBitsPerSecond:
        return " [kBits/s]";
    case InputUnit::Percent:
        return " [%]";
    case InputUnit::Count:
        break;
    }
    return {};
}

std::optional<WhatIfAnswer> AnswerWhatIf(const WindowSnapshot& mainWindow,
                                         const WhatIfRequest& request,
                                         const std::function<bool()>& keepGoing) {
    WhatIf whatIf(mainWindow);
    WhatIfAnswer answer;
    answer.generation = request.generation;
    answer.editable = whatIf.EditableInputs();
    if (request.input && whatIf.Editable(*request.input))
        answer.field = request.input;
    else if (!answer.editable.empty())
        answer.field = answer.editable.front();
    if (!answer.field)
        return answer;

    const Field field = *answer.field;
    answer.current = whatIf.CurrentValue(field);
    answer.range = request.range && request.input == field
                       ? ClampRange(request.range->from, request.range->to)
                       : DefaultRange(*FindWhatIfInput(field), answer.current);
    answer.points.reserve(
        static_cast<std::size_t>(int64_t{answer.range.to} - answer.range.from + 1));
    bool complete = true;
    const auto collect = [&](const WhatIfPoint& point, const TMasterForm&) {
        complete = !keepGoing || keepGoing();
        if (complete)
            answer.points.push_back(point);
        return complete;
    };
    // An editable input and a clamped range: nothing for the sweep to refuse.
    static_cast<void>(whatIf.Sweep(field, answer.range.from, answer.range.to, 1, collect));
    if (!complete)
        return std::nullopt;
    return answer;
}

bool WhatIfForm::Accept(WhatIfAnswer answer) {
    if (answer.generation != generation_)
        return false;
    shown_ = std::move(answer);
    choicePending_ = false;
    return true;
}

void WhatIfForm::ChooseInput(Field field) {
    chosen_ = field;
    choicePending_ = true;
    range_.reset();
    ++generation_;
}

void WhatIfForm::SetRange(int32_t from, int32_t to) {
    // The range belongs to the input it was set for: the one shown, also
    // where that stands in for a choice the main window does not offer
    // now, unless a new choice is still on its way.
    if (shown_ && shown_->field && !choicePending_)
        chosen_ = shown_->field;
    range_ = ClampRange(from, to);
    ++generation_;
}

void WhatIfForm::ResetRange() {
    range_.reset();
    ++generation_;
}

const WhatIfInput* WhatIfForm::ShownInput() const {
    return shown_ && shown_->field ? FindWhatIfInput(*shown_->field) : nullptr;
}

std::string WhatIfForm::HeadroomText() const {
    if (updating_)
        return std::string(texts::kWhatIfHeadroomUpdating);
    if (!shown_)
        return {};
    const WhatIfInput* input = ShownInput();
    if (!input)
        return std::string(texts::kWhatIfNothingTypeable);
    const Direction direction = input->searchDownwards ? Direction::Down : Direction::Up;
    const std::optional<Headroom> headroom =
        HeadroomInSweep(shown_->points, input->field, shown_->current, direction, required_);
    if (!headroom)
        return text::Format(texts::kWhatIfOutsideRange,
                            {input->subject, WithUnit(shown_->current, input->unit)});
    return HeadroomSentence(*headroom, required_);
}

const WhatIfPoint* WhatIfForm::PointAt(double x) const {
    if (!shown_ || shown_->points.empty() || !std::isfinite(x))
        return nullptr;
    const double index = std::round(x) - shown_->points.front().value;
    if (index < 0 || index >= static_cast<double>(shown_->points.size()))
        return nullptr;
    return &shown_->points[static_cast<std::size_t>(index)];
}

PointKind KindOf(const WhatIfPoint& point) {
    if (point.rejected)
        return PointKind::Refused;
    if (point.statusError || !point.state.Stable)
        return PointKind::Failing;
    return PointKind::Sound;
}

std::vector<Band> Bands(std::span<const WhatIfPoint> points, PointKind kind) {
    std::vector<Band> bands;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (KindOf(points[i]) != kind)
            continue;
        const bool joins = i > 0 && !bands.empty() && KindOf(points[i - 1]) == kind &&
                           Neighbours(points[i - 1], points[i]);
        if (joins)
            bands.back().to = points[i].value + 0.5;
        else
            bands.push_back({points[i].value - 0.5, points[i].value + 0.5});
    }
    return bands;
}

std::vector<ChartPoint> TimeLine(std::span<const WhatIfPoint> points, int32_t CalcState::*time,
                                 int columns) {
    std::vector<ChartPoint> line;
    if (points.empty())
        return line;
    const double first = points.front().value;
    const double span = static_cast<double>(points.back().value) - first + 1;
    const double perColumn = std::max(1.0, span / std::max(columns, 1));
    const auto columnOf = [&](const WhatIfPoint& p) {
        return static_cast<int64_t>((p.value - first) / perColumn);
    };
    std::size_t i = 0;
    while (i < points.size()) {
        const int64_t column = columnOf(points[i]);
        std::array<const WhatIfPoint*, 4> kept{}; // first, lowest, highest, last
        for (; i < points.size() && columnOf(points[i]) == column; ++i) {
            const WhatIfPoint& p = points[i];
            if (p.rejected)
                continue;
            if (!kept[0])
                kept = {&p, &p, &p, &p};
            if (p.state.*time < kept[1]->state.*time)
                kept[1] = &p;
            if (p.state.*time > kept[2]->state.*time)
                kept[2] = &p;
            kept[3] = &p;
        }
        if (!kept[0])
            continue;
        std::sort(kept.begin(), kept.end(),
                  [](const WhatIfPoint* a, const WhatIfPoint* b) { return a->value < b->value; });
        for (std::size_t k = 0; k < kept.size(); ++k) {
            if (k == 0 || kept[k] != kept[k - 1])
                line.push_back({static_cast<double>(kept[k]->value),
                                static_cast<double>(kept[k]->state.*time)});
        }
    }
    return line;
}

std::vector<ChartPoint> RateStepLine(std::span<const WhatIfPoint> points) {
    std::vector<ChartPoint> line;
    const WhatIfPoint* last = nullptr;
    for (const WhatIfPoint& point : points) {
        if (point.rejected)
            continue;
        const double rate = point.state.Baud;
        if (last && last->state.Baud == point.state.Baud && Neighbours(*last, point)) {
            line.back().x = point.value + 0.5;
        } else {
            line.push_back({point.value - 0.5, rate});
            line.push_back({point.value + 0.5, rate});
        }
        last = &point;
    }
    return line;
}

int32_t TimeAxisTop(std::span<const WhatIfPoint> points, const Requirements& required) {
    const int64_t floor = LowestTimeAxisTop(required);
    const int64_t cap = 2 * floor;
    int64_t top = floor;
    for (const WhatIfPoint& p : points) {
        if (!p.rejected)
            top = std::max<int64_t>({top, p.state.Rmax, p.state.Alarm, p.state.ETO, p.state.CTO});
    }
    return static_cast<int32_t>(std::min({top, cap, int64_t{kMax32}}));
}

double RoundStep(double span, int ticks) {
    const double raw = std::max(span / std::max(ticks, 1), 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (raw <= factor * magnitude)
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

AxisScale ScaleFor(double top, int ticks) {
    const double span = top * 1.1;
    const double step = RoundStep(span, ticks);
    return {std::max(1.0, std::ceil(span / step)) * step, step};
}

AxisScale TimeAxisScale(std::span<const WhatIfPoint> points, const Requirements& required,
                        int ticks) {
    const AxisScale scale = ScaleFor(TimeAxisTop(points, required), ticks);
    const double cap = 2.0 * static_cast<double>(LowestTimeAxisTop(required));
    if (scale.top <= cap)
        return scale;
    return {cap, RoundStep(cap, ticks)};
}

std::vector<ChartPoint> UnderTop(std::span<const ChartPoint> line, double top) {
    std::vector<ChartPoint> under;
    under.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const ChartPoint& p = line[i];
        if (i > 0) {
            const ChartPoint& before = line[i - 1];
            // Where the segment crosses the edge, either way.
            if ((before.y > top) != (p.y > top) && before.y != p.y) {
                const double x = before.x + (top - before.y) * (p.x - before.x) / (p.y - before.y);
                under.push_back({x, top});
            }
        }
        under.push_back({p.x, std::min(p.y, top)});
    }
    return under;
}

std::vector<double> AboveTop(std::span<const WhatIfPoint> points, int32_t CalcState::*time,
                             double top, int columns) {
    std::vector<double> above;
    if (points.empty())
        return above;
    const double first = points.front().value;
    const double span = static_cast<double>(points.back().value) - first + 1;
    const double perColumn = std::max(1.0, span / std::max(columns, 1));
    int64_t lastColumn = -1;
    for (const WhatIfPoint& p : points) {
        const auto column = static_cast<int64_t>((p.value - first) / perColumn);
        if (p.rejected || p.state.*time <= top || column == lastColumn)
            continue;
        above.push_back(p.value);
        lastColumn = column;
    }
    return above;
}

std::vector<double> WithinEnds(std::vector<double> at, double left, double right,
                               double halfWidth) {
    const double low = left + halfWidth;
    const double high = right - halfWidth;
    // A plot narrower than a mark: centred, sticking out evenly.
    const double middle = (left + right) / 2;
    for (double& x : at)
        x = low <= high ? std::clamp(x, low, high) : middle;
    return at;
}

std::string PointSummary(const WhatIfInput& input, const WhatIfPoint& point) {
    const std::string value = WithUnit(point.value, input.unit);
    if (point.rejected)
        return text::Format(texts::kWhatIfSummaryRefused,
                            {input.subject, value,
                             point.valueErrors.empty() ? std::string_view()
                                                       : std::string_view(point.valueErrors.front())});
    const CalcState& s = point.state;
    const std::string status =
        s.Stable ? point.status : text::Format(texts::kWhatIfSummaryUnstable, {point.status});
    return text::Format(texts::kWhatIfSummary,
                        {input.subject, value, WithUnit(s.Baud, InputUnit::KBitsPerSecond),
                         Milliseconds(s.Rmax), Milliseconds(s.Alarm), Milliseconds(s.ETO),
                         Milliseconds(s.CTO), status});
}

std::string PointTooltip(const WhatIfInput& input, const WhatIfPoint& point) {
    std::string text = text::Format(texts::kWhatIfTipValue,
                                    {input.subject, WithUnit(point.value, input.unit)});
    if (point.rejected)
        return text + "\n" +
               text::Format(texts::kWhatIfTipRefused,
                            {point.valueErrors.empty() ? std::string_view()
                                                       : std::string_view(point.valueErrors.front())});
    const CalcState& s = point.state;
    const std::pair<std::string_view, std::string> facts[] = {
        {texts::kWhatIfRate, WithUnit(s.Baud, InputUnit::KBitsPerSecond)},
        {texts::kWhatIfRmax, Milliseconds(s.Rmax)},
        {texts::kWhatIfAlarm, Milliseconds(s.Alarm)},
        {texts::kWhatIfEto, Milliseconds(s.ETO)},
        {texts::kWhatIfCto, Milliseconds(s.CTO)},
    };
    for (const auto& [label, value] : facts)
        text += "\n" + text::Format(texts::kWhatIfTipValue, {label, value});
    return text + "\n" +
           (s.Stable ? point.status : text::Format(texts::kWhatIfSummaryUnstable, {point.status}));
}

std::string ChartTitle(std::string_view projectFile, const WhatIfInput& input,
                       const SweepRange& range) {
    std::string_view name = projectFile.substr(projectFile.find_last_of("/\\") + 1);
    if (name.empty())
        name = texts::kWhatIfNoProject;
    return text::Format(texts::kWhatIfChartTitle,
                        {name, input.subject, WithUnit(range.from, input.unit),
                         WithUnit(range.to, input.unit)});
}

std::string RequirementsLine(const Requirements& required) {
    std::string line = text::Format(texts::kWhatIfRequiresRmax, {Milliseconds(required.rmaxMs)});
    if (required.etoMs)
        line += text::Format(texts::kWhatIfRequiresEto, {Milliseconds(*required.etoMs)});
    if (required.ctoMs)
        line += text::Format(texts::kWhatIfRequiresCto, {Milliseconds(*required.ctoMs)});
    return line + ".";
}

} // namespace qntcalc
