#pragma once

#include "whatif/Headroom.h"
#include "whatif/WhatIf.h"
#include "window/WindowSnapshot.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The What-if window without a toolkit: which input it sweeps over which
// range, what is required, and the sweep it shows. The sweep itself runs
// wherever the program likes (off the GUI thread in the Qt program): the
// form says what to compute, AnswerWhatIf computes it from a snapshot of
// the main window, and the form takes only the answer to its latest
// request.
namespace qntcalc {

// Whole values from `from` to `to`, both included.
struct SweepRange {
    int32_t from = 0;
    int32_t to = 0;
    bool operator==(const SweepRange&) const = default;
};

// A sweep of the window holds at most this many values: about 160 ms of
// computing, and a chart that still reads.
inline constexpr int32_t kMostSweepValues = 10000;
// The required worst case reaction time until the user sets one: the
// main window's indicator is full at 300 ms.
inline constexpr int32_t kDefaultRequiredRmaxMs = 300;

// From the lowest value worth asking about (0, or 1 where the field's check
// refuses 0) to twice the current value, at least 20 values; a growing
// input stops at its practical limit unless it stands beyond it already.
// Always holds `current`, and at most kMostSweepValues values.
SweepRange DefaultRange(const WhatIfInput& input, int32_t current);
// The ends in order, cut to kMostSweepValues values above `from`.
SweepRange ClampRange(int32_t from, int32_t to);

// " [m]", " [ms]", " [kBits/s]", " [%]"; nothing for a count.
std::string_view UnitTag(InputUnit unit);

struct WhatIfRequest {
    uint64_t generation = 0;
    std::optional<Field> input;      // the user's choice; none: the first editable
    std::optional<SweepRange> range; // the user's own, for that input only
};

struct WhatIfAnswer {
    uint64_t generation = 0;
    std::vector<Field> editable; // what the main window lets the user type into
    std::optional<Field> field;  // none when that is nothing
    int32_t current = 0;
    SweepRange range;
    std::vector<WhatIfPoint> points; // one per value of the range, ascending
};

// On any thread: the requested input if the main window lets the user type
// into it now, else the first that it does, over the requested range (or
// the default one). Nothing when `keepGoing` stops it before the end.
std::optional<WhatIfAnswer> AnswerWhatIf(const WindowSnapshot& mainWindow,
                                         const WhatIfRequest& request,
                                         const std::function<bool()>& keepGoing);

class WhatIfForm {
public:
    // Every change below that needs a new sweep starts a new generation.
    uint64_t Generation() const { return generation_; }
    WhatIfRequest Request() const { return {generation_, chosen_, range_}; }
    // False, and nothing changes, for an answer to an older request.
    bool Accept(WhatIfAnswer answer);

    // The main window changed: what is shown is out of date.
    void MainWindowChanged() { ++generation_; }
    // Back to the default range around the current value.
    void ChooseInput(Field field);
    // Kept until another input is chosen or ResetRange.
    void SetRange(int32_t from, int32_t to);
    void ResetRange();
    // Judges the shown points again; nothing to compute.
    void SetRequirements(const Requirements& required) { required_ = required; }

    std::optional<Field> ChosenInput() const { return chosen_; }
    bool OwnRange() const { return range_.has_value(); }
    const Requirements& Required() const { return required_; }
    // Null before the first answer.
    const WhatIfAnswer* Shown() const { return shown_ ? &*shown_ : nullptr; }
    const WhatIfInput* ShownInput() const;

    // While the shown answer is out of date and the window says so, the
    // headroom says it too instead of describing the old state.
    void SetUpdating(bool updating) { updating_ = updating; }

    // The headroom sentence over the shown points, or why there is none.
    std::string HeadroomText() const;
    // The shown point at the whole value nearest to `x`, if there is one.
    const WhatIfPoint* PointAt(double x) const;

private:
    uint64_t generation_ = 1;
    std::optional<Field> chosen_;
    bool choicePending_ = false; // chosen, not answered yet
    std::optional<SweepRange> range_;
    Requirements required_{kDefaultRequiredRmaxMs, std::nullopt, std::nullopt};
    std::optional<WhatIfAnswer> shown_;
    bool updating_ = false;
};

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

// One line for hovering: "Main path 250 m: 250 kBits/s, worst case
// reaction time 106 ms, ..." and the status bar's message.
std::string PointSummary(const WhatIfInput& input, const WhatIfPoint& point);
// The same, one fact a line, for the tooltip at the pointer.
std::string PointTooltip(const WhatIfInput& input, const WhatIfPoint& point);

// What an exported chart says above it: "<project> - What-if: Main path from
// 100 m to 200 m", and the requirements in a line.
std::string ChartTitle(std::string_view projectFile, const WhatIfInput& input,
                       const SweepRange& range);
std::string RequirementsLine(const Requirements& required);

} // namespace qntcalc
