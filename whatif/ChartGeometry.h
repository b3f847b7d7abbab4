#pragma once

#include "whatif/Requirements.h"
#include "whatif/WhatIf.h"

#include <cstdint>
#include <span>
#include <vector>

// Where the What-if chart draws what: bands, lines thinned to the plot,
// and axes that keep every requirement in view.
namespace qntcalc {

// What the chart shades.
enum class PointKind {
    Sound,   // computed, informational status, stable
    Failing, // an error status or an iteration that did not settle
    Refused, // refused by the field's value check, not computed
};
PointKind KindOf(const WhatIfPoint& point);

// Each run of neighbouring points of one kind, half a value wider on
// either side, so that a run of one value has a width too.
struct Band {
    double from;
    double to;
    bool operator==(const Band&) const = default;
};
std::vector<Band> Bands(std::span<const WhatIfPoint> points, PointKind kind);

struct ChartPoint {
    double x;
    double y;
    bool operator==(const ChartPoint&) const = default;
};

// One time (Rmax, Alarm, ETO or CTO) against the values, thinned for a plot
// `columns` pixels wide: of the values that share a column only the first,
// the lowest, the highest and the last are kept, which draws the same line
// as all of them. Refused values have no time and are left out.
std::vector<ChartPoint> TimeLine(std::span<const WhatIfPoint> points, int32_t CalcState::*time,
                                 int columns);

// The transmission rate as a step line: level across each value's width,
// upright where the rate changes. Refused values have no rate and are
// bridged.
std::vector<ChartPoint> RateStepLine(std::span<const WhatIfPoint> points);

// The top of the chart's time axis in ms: the longest computed time, but at
// least the highest requirement (and 10 ms) and at most twice it, so that the
// requirements always read; longer times are marked on the top edge.
int32_t TimeAxisTop(std::span<const WhatIfPoint> points, const Requirements& required);

// 1, 2 or 5 times a power of ten, at least 1, so that about `ticks` steps
// fill `span`.
double RoundStep(double span, int ticks);
// How many steps an axis `width` long takes, at most `most`, when each
// label is `labelWidth` wide: side by side with room between them, whole,
// never cut to "2,147,…". At least 1.
int StepsThatFit(double width, double labelWidth, int most);
// An axis from 0 to a round number a little above `top`, ticked at steps of
// 1, 2 or 5 times a power of ten, about `ticks` of them.
struct AxisScale {
    double top;
    double step;
    bool operator==(const AxisScale&) const = default;
};
AxisScale ScaleFor(double top, int ticks = 6);

// The time axis as drawn: TimeAxisTop on a round scale, but never beyond
// twice the highest requirement; where the round top would be, the axis
// ends at that cap instead, ticked for it.
AxisScale TimeAxisScale(std::span<const WhatIfPoint> points, const Requirements& required,
                        int ticks = 6);

// The line as drawn on an axis ending at `top`: where it runs above, it runs
// along the top edge instead, from where it crosses it to where it comes back.
std::vector<ChartPoint> UnderTop(std::span<const ChartPoint> line, double top);

// The values whose time lies above `top`, at most one per pixel column of a
// plot `columns` wide: each is marked on the top edge.
std::vector<double> AboveTop(std::span<const WhatIfPoint> points, int32_t CalcState::*time,
                             double top, int columns);

// Where marks `halfWidth` wide (in values) sit on an axis from `left` to
// `right`: at their values, moved in from either end only as far as needed
// for none to stick out of the plot.
std::vector<double> WithinEnds(std::vector<double> at, double left, double right, double halfWidth);

} // namespace qntcalc
