#include "whatif/WhatIfForm.h"

#include "tests/support/WindowFixture.h"
#include "whatif/ChartGeometry.h"
#include "whatif/ChartTexts.h"
#include "whatif/WhatIfCsv.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qntcalc::testing {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct RangeRow {
    const char* name;
    Field field;
    int32_t current;
    SweepRange expected;
};

void PrintTo(const RangeRow& row, std::ostream* os) {
    *os << row.name;
}

class DefaultRangeTest : public ::testing::TestWithParam<RangeRow> {};

TEST_P(DefaultRangeTest, AroundTheCurrentValue) {
    const RangeRow& row = GetParam();
    const SweepRange range = DefaultRange(*FindWhatIfInput(row.field), row.current);
    EXPECT_EQ(range.from, row.expected.from);
    EXPECT_EQ(range.to, row.expected.to);
    EXPECT_LE(range.from, row.current);
    EXPECT_GE(range.to, row.current);
    EXPECT_LE(int64_t{range.to} - range.from + 1, kMostSweepValues);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultRangeTest,
    ::testing::Values(
        RangeRow{"TwiceTheLength", Field::Mainpath, 180, {1, 360}},
        RangeRow{"AtLeastTwentyAboveTheStart", Field::Mainpath, 5, {1, 21}},
        RangeRow{"CountsFromZero", Field::NumIOD, 10, {0, 20}},
        RangeRow{"UpToThePracticalLimit", Field::NumIOD, 50, {0, 64}},
        RangeRow{"BeyondThePracticalLimit", Field::NumIOD, 70, {0, 70}},
        RangeRow{"CycleTimesHaveNoLimit", Field::InpCycl, 800, {0, 1600}},
        RangeRow{"PreselectedRate", Field::MainBaud, 500, {0, 500}},
        RangeRow{"NegativeRate", Field::MainBaud, -5, {-5, 15}},
        RangeRow{"WideUpwardEndsAtTheCurrentValue", Field::Mainpath, 20000, {10001, 20000}},
        RangeRow{"WideDownwardCentred", Field::OutCycl, 20000, {15000, 24999}},
        RangeRow{"LargestLength", Field::Mainpath, kMax, {kMax - 9999, kMax}},
        RangeRow{"LargestCycleTime", Field::InpCycl, kMax, {kMax - 9999, kMax}}),
    [](const ::testing::TestParamInfo<RangeRow>& info) { return std::string(info.param.name); });

TEST(ClampRange, OrdersTheEndsAndCutsAtTheTop) {
    EXPECT_EQ(ClampRange(10, 5), (SweepRange{5, 10}));
    EXPECT_EQ(ClampRange(0, kMostSweepValues - 1), (SweepRange{0, kMostSweepValues - 1}));
    EXPECT_EQ(ClampRange(0, kMostSweepValues), (SweepRange{0, kMostSweepValues - 1}));
    EXPECT_EQ(ClampRange(kMax, kMin), (SweepRange{kMin, kMin + kMostSweepValues - 1}));
}

WhatIfPoint Point(int32_t value, PointKind kind, int32_t baud, int32_t rmax = 50) {
    WhatIfPoint point;
    point.value = value;
    point.rejected = kind == PointKind::Refused;
    point.statusError = kind == PointKind::Failing && value % 2 == 0;
    point.state.Stable = !(kind == PointKind::Failing && value % 2 != 0);
    point.state.Baud = baud;
    point.state.Rmax = rmax;
    return point;
}

TEST(WhatIfChart, BandsStepsAndTimeScale) {
    using K = PointKind;
    const std::vector<WhatIfPoint> points{
        Point(0, K::Refused, 0),        Point(1, K::Sound, 500),
        Point(2, K::Failing, 500, 900), Point(3, K::Failing, 250, 900),
        Point(4, K::Sound, 250, 120),   Point(5, K::Sound, 125),
        Point(7, K::Sound, 125),        Point(8, K::Failing, 125)};

    EXPECT_EQ(Bands(points, K::Failing), (std::vector<Band>{{1.5, 3.5}, {7.5, 8.5}}));
    EXPECT_EQ(Bands(points, K::Refused), (std::vector<Band>{{-0.5, 0.5}}));
    EXPECT_EQ(Bands(points, K::Sound), (std::vector<Band>{{0.5, 1.5}, {3.5, 5.5}, {6.5, 7.5}}));
    // A gap in the values starts a new level even at the same rate.
    EXPECT_EQ(RateStepLine(points), (std::vector<ChartPoint>{{0.5, 500},
                                                             {2.5, 500},
                                                             {2.5, 250},
                                                             {4.5, 250},
                                                             {4.5, 125},
                                                             {5.5, 125},
                                                             {6.5, 125},
                                                             {8.5, 125}}));

    // Two columns of five values: the dip inside the first is kept, the
    // refused value has no time, a level stretch keeps its ends.
    std::vector<WhatIfPoint> wide;
    for (const int32_t rmax : {50, 40, 10, 90, 60, 0, 70, 70, 70, 75})
        wide.push_back(
            Point(static_cast<int32_t>(wide.size()), rmax ? K::Sound : K::Refused, 500, rmax));
    EXPECT_EQ(TimeLine(wide, &CalcState::Rmax, 2),
              (std::vector<ChartPoint>{{0, 50}, {2, 10}, {3, 90}, {4, 60}, {6, 70}, {9, 75}}));
    EXPECT_EQ(TimeLine(wide, &CalcState::Rmax, 100).size(), 9u) << "fewer values than columns";

    // The axis grows with every time, but to twice the highest requirement
    // at most; requirements stay on it.
    EXPECT_EQ(TimeAxisTop(points, {100, {}, {}}), 200);
    EXPECT_EQ(TimeAxisTop(points, {100, {}, 130}), 260);
    EXPECT_EQ(TimeAxisTop(points, {449, {}, {}}), 898);
    EXPECT_EQ(TimeAxisTop(points, {450, {}, {}}), 900);
    EXPECT_EQ(TimeAxisTop(points, {1000, {}, {}}), 1000);
    EXPECT_EQ(TimeAxisTop(points, {kMax, {}, {}}), kMax);
    EXPECT_EQ(TimeAxisTop({}, {1, {}, {}}), 10);
    EXPECT_EQ(TimeAxisTop(std::vector<WhatIfPoint>{points[1]}, {1, {}, {}}), 20);

    EXPECT_EQ(ScaleFor(200), (AxisScale{250, 50}));
    EXPECT_EQ(ScaleFor(100), (AxisScale{120, 20}));
    EXPECT_EQ(ScaleFor(10), (AxisScale{12, 2}));
    EXPECT_EQ(ScaleFor(0), (AxisScale{1, 1}));
    EXPECT_EQ(RoundStep(1000, 10), 100);
    EXPECT_EQ(RoundStep(1001, 10), 200);
    // Labels side by side, whole: "2,147,483,647" is about 80 px wide.
    struct Fit {
        double width;
        double label;
        int steps;
    };
    for (const Fit& fit : {Fit{700, 20, 10}, Fit{700, 80, 5}, Fit{599, 80, 4}, Fit{600, 80, 5},
                           Fit{480, 80, 4}, Fit{479, 80, 3}, Fit{0, 80, 1}, Fit{50, 80, 1}})
        EXPECT_EQ(StepsThatFit(fit.width, fit.label, 10), fit.steps) << fit.width << " " << fit.label;
    // The round scale while it stays within twice the highest requirement,
    // else that cap: never 800 ms for a 300 ms requirement.
    std::vector<WhatIfPoint> slow{Point(0, K::Sound, 20, 1196)};
    EXPECT_EQ(TimeAxisScale(slow, {300, {}, {}}), (AxisScale{600, 100}));
    EXPECT_EQ(TimeAxisScale(slow, {449, {}, {}}), (AxisScale{898, 200}));
    EXPECT_EQ(TimeAxisScale(slow, {300, {}, 310}), (AxisScale{620, 200}));
    // With a tenth's room, 727 ms round up to 800 and 728 ms to 1,000.
    slow[0].state.Rmax = 727;
    EXPECT_EQ(TimeAxisScale(slow, {449, {}, {}}), (AxisScale{800, 200}));
    slow[0].state.Rmax = 728;
    EXPECT_EQ(TimeAxisScale(slow, {449, {}, {}}), (AxisScale{898, 200}));
    EXPECT_EQ(TimeAxisScale(slow, {kMax, {}, {}}), (AxisScale{2.5e9, 5e8}));
    EXPECT_EQ(TimeAxisScale(points, {1000, {}, {}}), (AxisScale{1200, 200}));
    EXPECT_EQ(TimeAxisScale({}, {1, {}, {}}), (AxisScale{12, 2}));

    // Above the top, a line runs along it from crossing to crossing.
    const std::vector<ChartPoint> line{{0, 50}, {2, 150}, {3, 150}, {4, 50}, {5, 100}};
    EXPECT_EQ(UnderTop(line, 100),
              (std::vector<ChartPoint>{
                  {0, 50}, {1, 100}, {2, 100}, {3, 100}, {3.5, 100}, {4, 50}, {5, 100}}));
    EXPECT_EQ(UnderTop({}, 100), std::vector<ChartPoint>{});

    // Each value above the top is marked, one per column; refused ones have
    // no time.
    std::vector<WhatIfPoint> high;
    for (const int32_t rmax : {250, 201, 200, 300, 300, 0})
        high.push_back(
            Point(static_cast<int32_t>(high.size()), rmax ? K::Sound : K::Refused, 500, rmax));
    high.back().state.Rmax = 999;
    EXPECT_EQ(AboveTop(high, &CalcState::Rmax, 200, 100), (std::vector<double>{0, 1, 3, 4}));
    EXPECT_EQ(AboveTop(high, &CalcState::Rmax, 200, 3), (std::vector<double>{0, 3, 4}));
    EXPECT_EQ(AboveTop(high, &CalcState::ETO, 200, 100), std::vector<double>{});

    // Marks half a value wide stay within the plot from -0.5 to 4.5; one
    // wider than the plot sits in its middle.
    EXPECT_EQ(WithinEnds({-0.5, 0, 0.5, 3.5, 4, 4.5}, -0.5, 4.5, 0.5),
              (std::vector<double>{0, 0, 0.5, 3.5, 4, 4}));
    EXPECT_EQ(WithinEnds({0, 4}, -0.5, 4.5, 2.5), (std::vector<double>{2, 2}));
    EXPECT_EQ(WithinEnds({0, 4}, -0.5, 4.5, 2.6), (std::vector<double>{2, 2}));
}

TEST_F(WindowTest, FormShowsOnlyTheAnswerToItsLatestRequest) {
    WhatIfForm form;
    const WindowSnapshot shown(f());
    const WhatIfRequest first = form.Request();
    // No choice yet: the first input the window lets the user type into.
    std::optional<WhatIfAnswer> answer = AnswerWhatIf(shown, first, {});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->field, Field::Mainpath);
    EXPECT_EQ(answer->current, 100);
    EXPECT_EQ(answer->range, (SweepRange{1, 200}));
    ASSERT_EQ(answer->points.size(), 200u);
    WhatIfPoint typed;
    ASSERT_TRUE(WhatIf(f()).Evaluate(Field::Mainpath, 150, typed).Ok());
    EXPECT_EQ(answer->points[149].value, 150);
    EXPECT_EQ(answer->points[149].fields, typed.fields);

    form.MainWindowChanged();
    EXPECT_FALSE(form.Accept(*answer));
    EXPECT_EQ(form.Shown(), nullptr);
    answer = AnswerWhatIf(shown, form.Request(), [] { return true; });
    ASSERT_TRUE(form.Accept(std::move(*answer)));
    EXPECT_EQ(form.HeadroomText(), "Main path can grow from 100 m to 200 m, the end of the "
                                   "searched range, within the requirements.");
    // While the window says it is updating, so does the headroom.
    form.SetUpdating(true);
    EXPECT_EQ(form.HeadroomText(), "The headroom is being updated…");
    form.SetUpdating(false);
    EXPECT_EQ(form.PointAt(99.6)->value, 100);
    EXPECT_EQ(form.PointAt(0.4), nullptr);
    EXPECT_EQ(form.PointAt(std::nan("")), nullptr);

    // The range belongs to the input shown when it was set.
    form.SetRange(260, 240);
    EXPECT_EQ(form.Request().input, Field::Mainpath);
    ASSERT_TRUE(form.Accept(*AnswerWhatIf(shown, form.Request(), {})));
    EXPECT_EQ(form.Shown()->range, (SweepRange{240, 260}));
    EXPECT_EQ(form.HeadroomText(), "Main path stands at 100 m, outside the range; widen the range "
                                   "to see its headroom.");

    // An input the window does not offer now falls back, range and all.
    form.ChooseInput(Field::InpCycl);
    form.SetRange(3, 5);
    ASSERT_TRUE(form.Accept(*AnswerWhatIf(shown, form.Request(), {})));
    EXPECT_EQ(form.Shown()->field, Field::Mainpath);
    EXPECT_EQ(form.Shown()->range, (SweepRange{1, 200}));
    EXPECT_EQ(form.ChosenInput(), Field::InpCycl);

    int asked = 0;
    EXPECT_FALSE(AnswerWhatIf(shown, form.Request(), [&asked] { return ++asked < 50; }));
    EXPECT_EQ(asked, 50);

    // A range set for the input shown in its place is that one's.
    form.SetRange(3, 5);
    ASSERT_TRUE(form.Accept(*AnswerWhatIf(shown, form.Request(), {})));
    EXPECT_EQ(form.Shown()->range, (SweepRange{3, 5}));
}

// Every row has the header's columns, with or without a file.
TEST(WhatIfCsv, RowsLineUpWithTheHeader) {
    const auto commas = [](const std::string& line) { return std::count(line.begin(), line.end(), ','); };
    WhatIfPoint computed = Point(7, PointKind::Sound, 500);
    computed.status = "All values are estimates and may differ!";
    WhatIfPoint refused = Point(0, PointKind::Refused, 0);
    refused.valueErrors = {"Value must be greater than 0."};
    const auto header = commas(WhatIfCsvHeader());
    EXPECT_EQ(commas(WhatIfCsvRow(computed, "")), header);
    EXPECT_EQ(commas(WhatIfCsvRow(refused, "")), header);
    EXPECT_EQ(WhatIfCsvRow(refused, "plan.ini").rfind("plan.ini,0,1,", 0), 0u);
    EXPECT_EQ(WhatIfCsvRow(computed, "a,b.ini").rfind("\"a,b.ini\",7,0,", 0), 0u);
    EXPECT_EQ(WhatIfCsvRow(computed, "say \"hi\".ini").rfind("\"say \"\"hi\"\".ini\",7,0,", 0), 0u);
}

TEST(WhatIfSummary, OneLinePerPoint) {
    const WhatIfInput& path = *FindWhatIfInput(Field::Mainpath);
    WhatIfPoint point = Point(1451, PointKind::Sound, 20, 340);
    point.state.Alarm = 315;
    point.state.ETO = 160;
    point.state.CTO = 180;
    point.status = "All values are estimates and may differ!";
    EXPECT_EQ(PointSummary(path, point),
              "Main path 1,451 m: 20 kBits/s, worst case reaction time 340 ms, alarm reaction time "
              "315 ms, ETO 160 ms, CTO 180 ms. All values are estimates and may differ!");
    point.state.Stable = false;
    point.status = "Values incorrect - System not stable!";
    EXPECT_NE(PointSummary(path, point).find("CTO 180 ms. Not stable. Values incorrect"),
              std::string::npos);
    WhatIfPoint refused = Point(0, PointKind::Refused, 0);
    refused.valueErrors = {"Value must be greater than 0."};
    EXPECT_EQ(PointSummary(path, refused),
              "Main path 0 m: refused by the value check: Value must be greater than 0.");
}

TEST(WhatIfSummary, TooltipOneFactALine) {
    const WhatIfInput& path = *FindWhatIfInput(Field::Mainpath);
    WhatIfPoint point = Point(1451, PointKind::Sound, 20, 340);
    point.state.Alarm = 315;
    point.state.ETO = 160;
    point.state.CTO = 180;
    point.status = "All values are estimates and may differ!";
    EXPECT_EQ(PointTooltip(path, point), "Main path: 1,451 m\n"
                                         "Transmission rate: 20 kBits/s\n"
                                         "Worst case reaction time: 340 ms\n"
                                         "Alarm reaction time: 315 ms\n"
                                         "ETO: 160 ms\n"
                                         "CTO: 180 ms\n"
                                         "All values are estimates and may differ!");
    point.state.Stable = false;
    EXPECT_TRUE(PointTooltip(path, point).ends_with("\nNot stable. All values are estimates "
                                                    "and may differ!"));
    WhatIfPoint refused = Point(0, PointKind::Refused, 0);
    refused.valueErrors = {"Value must be greater than 0."};
    EXPECT_EQ(PointTooltip(path, refused),
              "Main path: 0 m\nRefused by the value check: Value must be greater than 0.");
}

TEST(WhatIfSummary, ExportedChartTitleAndRequirements) {
    const WhatIfInput& path = *FindWhatIfInput(Field::Mainpath);
    EXPECT_EQ(ChartTitle("/home/me/hall.ini", path, {100, 1200}),
              "hall.ini - What-if: Main path from 100 m to 1,200 m");
    EXPECT_EQ(ChartTitle("C:\\plans\\hall.ini", path, {1, 2}),
              "hall.ini - What-if: Main path from 1 m to 2 m");
    EXPECT_EQ(ChartTitle("", path, {1, 2}), "Unsaved project - What-if: Main path from 1 m to 2 m");
    EXPECT_EQ(RequirementsSentence({300, {}, {}}),
              "Required: worst case reaction time at most 300 ms.");
    EXPECT_EQ(RequirementsSentence({300, 120, 250}),
              "Required: worst case reaction time at most 300 ms, ETO at most 120 ms, CTO at most "
              "250 ms.");
}

} // namespace
} // namespace qntcalc::testing
