#include "whatif/ChartGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qntcalc {

namespace {

constexpr int64_t kShortestTimeAxisMs = 10;
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

bool Neighbours(const WhatIfPoint& before, const WhatIfPoint& after) {
    return int64_t{after.value} - before.value == 1;
}

// The time axis never ends below this, so that every requirement reads.
int64_t LowestTimeAxisTop(const Requirements& required) {
    return std::max<int64_t>({kShortestTimeAxisMs, required.rmaxMs, required.etoMs.value_or(0),
                              required.ctoMs.value_or(0)});
}

} // namespace

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

int StepsThatFit(double width, double labelWidth, int most) {
    constexpr double kRoomBetween = 16;
    // A round step may come out a little shorter than width / steps.
    const double fit = width / ((labelWidth + kRoomBetween) * 1.25);
    return std::clamp(static_cast<int>(fit), 1, std::max(most, 1));
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

} // namespace qntcalc
