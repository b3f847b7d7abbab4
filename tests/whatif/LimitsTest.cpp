#include "whatif/LimitsText.h"

#include "tests/support/WindowFixture.h"

#include <algorithm>
#include <map>

namespace qntcalc::testing {
namespace {

using Setup = void (*)(TMasterForm&);
using F = Field;

void Defaults(TMasterForm&) {}

// A longest drop line of 0 m has no percentage but can grow; the total
// length meets 300 ms up to the end of its search.
void ExpertDropLines(TMasterForm& f) {
    f.Expert.Click();
    f.CB_DropLines.SetChecked(true);
    Type(f, &C::Ed_DropTot, "60");
    Type(f, &C::Ed_DropMax, "0");
}

// Cyclic input bits counted while their cycle time is still 0: an error.
void CyclicInputsWithoutCycleTime(TMasterForm& f) {
    Type(f, &C::Ed_NumInpCycl, "8");
}

struct OrderRow {
    const char* name;
    Setup setup;
    int32_t rmaxMs;
    std::vector<Field> order;
};

void PrintTo(const OrderRow& row, std::ostream* os) {
    *os << row.name;
}

class LimitsOrderTest : public WindowTest, public ::testing::WithParamInterface<OrderRow> {};

TEST_P(LimitsOrderTest, TightestFirst) {
    const OrderRow& row = GetParam();
    row.setup(f());
    const Requirements required{row.rmaxMs, std::nullopt, std::nullopt};
    WhatIf whatIf(f());
    std::vector<InputLimit> limits;
    ASSERT_TRUE(FindLimits(whatIf, required, limits).Ok());
    std::vector<Field> order;
    for (const InputLimit& limit : limits)
        order.push_back(limit.input->field);
    EXPECT_EQ(order, row.order);

    // From a snapshot, on any thread, the same; stopped, nothing.
    const WindowSnapshot snapshot(f());
    const auto again = FindLimits(snapshot, required, [] { return true; });
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), limits.size());
    for (std::size_t i = 0; i < limits.size(); ++i) {
        EXPECT_EQ(LimitCells((*again)[i], required, ColumnsFor(*again)),
                  LimitCells(limits[i], required, ColumnsFor(limits)));
        EXPECT_EQ((*again)[i].margin, limits[i].margin);
    }
    int asked = 0;
    EXPECT_FALSE(FindLimits(snapshot, required, [&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3) << "asked before each input and each value of a fix's search";

    // Each fix is the nearest value that meets, in either direction, the
    // smaller one at equal distances; without one, none meets in the range.
    for (const InputLimit& limit : limits) {
        if (limit.MeetsNow()) {
            EXPECT_FALSE(limit.fix);
            continue;
        }
        const int32_t current = limit.headroom.current;
        std::vector<WhatIfPoint> points;
        ASSERT_TRUE(whatIf.Sweep(limit.input->field, limit.fixRange.from, limit.fixRange.to, 1,
                                 points)
                        .Ok());
        std::optional<int32_t> nearest;
        for (const WhatIfPoint& point : points) {
            const int64_t distance = std::abs(int64_t{point.value} - current);
            if (Judge(point, required) == Shortfall::None &&
                (!nearest || distance < std::abs(int64_t{*nearest} - current)))
                nearest = point.value;
        }
        ASSERT_EQ(limit.fix.has_value(), nearest.has_value()) << FieldName(limit.input->field);
        if (nearest) {
            EXPECT_EQ(limit.fix->point.value, *nearest) << FieldName(limit.input->field);
            EXPECT_EQ(limit.fix->change, *nearest - current);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LimitsOrderTest,
    ::testing::Values(
        // 450%, 530%, 604%, 1,350%, 5,300%; the cyclic bits cannot grow from
        // 0 while their cycle times are 0, which is no limit: last.
        OrderRow{"SmallestMarginInPercent",
                 Defaults,
                 300,
                 {F::NumInp, F::NumIOD, F::NumOut, F::Mainpath, F::NumVesk, F::NumInpCycl,
                  F::NumOutCycl}},
        // Every input fails at its current value: the smallest change in
        // percent that meets first (-10%, -20.3%, -26%), then those without
        // one in the window's order, then those that need another input.
        OrderRow{"FailingSmallestFixFirst",
                 Defaults,
                 27,
                 {F::NumIOD, F::NumInp, F::NumOut, F::Mainpath, F::NumVesk, F::NumInpCycl,
                  F::NumOutCycl}},
        OrderRow{"NoPercentageThenUnbounded",
                 ExpertDropLines,
                 300,
                 {F::NumInp, F::NumIOD, F::NumOut, F::Mainpath, F::LoadFact, F::NumVesk,
                  F::DropMax, F::DropTot, F::NumInpCycl, F::NumOutCycl}},
        // A cycle time at 0 has no percentage: its change in ms comes after
        // every percentage.
        OrderRow{"FailingAtZeroAfterEveryPercentage",
                 CyclicInputsWithoutCycleTime,
                 300,
                 {F::NumInpCycl, F::InpCycl, F::Mainpath, F::NumIOD, F::NumVesk, F::NumInp,
                  F::NumOut, F::NumOutCycl}}),
    [](const ::testing::TestParamInfo<OrderRow>& info) { return info.param.name; });

// The default search ends at the practical limit, never behind a growing
// input's current value, and at most kMostWhatIfValues values from it, the
// current value counted.
TEST(DefaultHeadroomLimitTest, PracticalLimitAtMostAMillionValuesAway) {
    struct Row {
        const char* name;
        int32_t practicalLimit;
        bool downwards;
        int32_t current;
        int32_t end;
    };
    for (const Row& row : {
             Row{"UpToThePracticalLimit", 5000, false, 100, 5000},
             Row{"AlreadyBeyondIt", 5000, false, 6000, 6000},
             Row{"ExactlyAMillionValues", 2'000'000, false, 0, 999'999},
             Row{"JustWithinAMillionValues", 999'999, false, 0, 999'999},
             Row{"JustBeyondAMillionValues", 1'000'000, false, 0, 999'999},
             Row{"FarBeyondItAlready", 5000, false, 3'000'000, 3'000'000},
             Row{"AMillionValuesFromFarUp", 2'000'000, false, 100, 1'000'099},
             Row{"DownToTheLimit", 0, true, 120, 0},
             Row{"DownAMillionValues", 0, true, 1'500'000, 500'001},
             Row{"DownJustBeyondAMillionValues", 0, true, 1'000'000, 1},
         }) {
        // Cycle times are what is searched downwards, to the lowest accepted.
        const WhatIfInput input{row.downwards ? Field::InpCycl : Field::Mainpath,
                                Page::Network, "x", "x", InputUnit::Metres,
                                row.practicalLimit, row.downwards};
        EXPECT_EQ(DefaultHeadroomLimit(input, row.current), row.end) << row.name;
    }
}

// A fix is searched from the lowest accepted value to the practical limit
// (cycle times to the slowest one), around the current value, at most a
// million values either way; where nothing above the limit can meet, a
// value above it is left out.
TEST(FixRangeTest, FromTheLowestAcceptedToThePracticalLimit) {
    struct Row {
        const char* name;
        Field field; // for its value check
        int32_t practicalLimit;
        bool downwards;
        int32_t current;
        SweepRange range;
    };
    for (const Row& row : {
             Row{"GreaterZero", F::Mainpath, 5000, false, 180, {1, 5000}},
             Row{"GreaterEqualZero", F::NumIOD, 64, false, 24, {0, 64}},
             Row{"AtThePracticalLimit", F::Mainpath, 5000, false, 5000, {1, 5000}},
             Row{"JustBeyondIt", F::Mainpath, 5000, false, 5001, {1, 5000}},
             Row{"HostileMainPath", F::Mainpath, 5000, false, 2147483647, {1, 5000}},
             Row{"BeyondWhereAValueMayMeet", F::DropTot, 5000, false, 6000, {0, 6000}},
             Row{"CycleTimeUpToTheSlowest", F::InpCycl, 0, true, 50, {0, 1000}},
             Row{"HostileCycleTime", F::InpCycl, 0, true, 5000, {0, 1000}},
             Row{"RateWithoutALowerBound", F::MainBaud, 500, false, 125, {0, 500}},
             Row{"AMillionUp", F::NumIOD, 2'000'000, false, 0, {0, 1'000'000}},
             Row{"AMillionDown", F::NumVesk, 0, false, 1'500'000, {500'000, 1'500'000}},
         }) {
        const WhatIfInput input{row.field, Page::Network, "x", "x", InputUnit::Metres,
                                row.practicalLimit, row.downwards};
        EXPECT_EQ(FixRange(input, row.current), row.range) << row.name;
    }
}

// An input at 0 whose next value fails for want of the input it enables
// needs that one first; at 1, or with the other filled in, it is a limit.
TEST_F(WindowTest, NeedsTheInputItEnablesFirst) {
    struct Row {
        const char* name;
        testing::Setup setup;
        Field field;
        const char* needs; // "" for none
    };
    const auto routers = [](TMasterForm& f) { f.CB_Routers.SetChecked(true); };
    const auto repeaters = [](TMasterForm& f) { f.CB_Repeaters.SetChecked(true); };
    // A router without its segments: one repeater fails for want of the
    // MD segment, which no repeater type would give.
    const auto both = [](TMasterForm& f) {
        f.Expert.Click();
        f.CB_Routers.SetChecked(true);
        f.CB_Repeaters.SetChecked(true);
        testing::Type(f, &MasterFormControls::Ed_NumRouters, "1");
    };
    for (const Row& row : {
             Row{"CyclicInputBits", Defaults, F::NumInpCycl, "InpCycl"},
             Row{"CyclicOutputs", Defaults, F::NumOutCycl, "OutCycl"},
             Row{"CountedAlready", CyclicInputsWithoutCycleTime, F::NumInpCycl, ""},
             // One router fails for want of its segments, which no type
             // gives: a limit like any other.
             Row{"RouterWithoutSegments", +routers, F::NumRouters, ""},
             // One repeater meets without a type: a limit like any other.
             Row{"RepeaterWithoutType", +repeaters, F::NumRepeater, ""},
             Row{"RepeaterBehindARouterWithoutSegments", +both, F::NumRepeater, ""},
         }) {
        NewWindow().Recalculate();
        row.setup(f());
        WhatIf whatIf(f());
        std::vector<InputLimit> limits;
        ASSERT_TRUE(FindLimits(whatIf, {300, std::nullopt, std::nullopt}, limits).Ok());
        const auto limit = std::find_if(limits.begin(), limits.end(), [&](const InputLimit& l) {
            return l.input->field == row.field;
        });
        ASSERT_NE(limit, limits.end()) << row.name;
        EXPECT_EQ(limit->needs ? limit->needs->key : "", row.needs) << row.name;
        if (limit->needs) {
            EXPECT_FALSE(limit->margin) << row.name;
            EXPECT_EQ(limits.back().needs.has_value(), true) << "sorted after the limits";
        }
    }
}

// Each input's "Nearest meeting" cell while the state fails.
std::map<Field, std::string> NearestCells(const std::vector<InputLimit>& limits,
                                          const Requirements& required) {
    std::map<Field, std::string> nearest;
    for (const InputLimit& limit : limits)
        nearest[limit.input->field] =
            LimitCells(limit, required, LimitsColumns::Failing)[kLimitNearestColumn];
    return nearest;
}

// A hostile value far past the practical limit: where a value up there
// might meet, the search goes kMostFixValues deep and the row says how far;
// elsewhere it starts at the limit.
TEST_F(WindowTest, AHostileValueIsSearchedSoFarAndSaysSo) {
    Type(f().Ed_NumVesk, "2147483647");
    Type(f().Ed_NumInp, "2147483647");
    WhatIf whatIf(f());
    std::vector<InputLimit> limits;
    const Requirements required{300, std::nullopt, std::nullopt};
    ASSERT_TRUE(FindLimits(whatIf, required, limits).Ok());
    std::map<Field, std::string> nearest = NearestCells(limits, required);
    EXPECT_EQ(nearest[F::NumVesk], "none from 2,147,473,647 to 2,147,483,647");
    EXPECT_EQ(nearest[F::NumInp], "none from 0 to 2,049");
}

// The window's cells for a fix, a need and an input that cannot meet.
TEST_F(WindowTest, NearestMeetingCells) {
    const Requirements required{27, std::nullopt, std::nullopt};
    WhatIf whatIf(f());
    std::vector<InputLimit> limits;
    ASSERT_TRUE(FindLimits(whatIf, required, limits).Ok());
    std::map<Field, std::string> nearest = NearestCells(limits, required);
    EXPECT_EQ(nearest[F::NumIOD], "9 (-1, -10.0%)");
    EXPECT_EQ(nearest[F::Mainpath], "none from 1 to 5,000");
    EXPECT_EQ(nearest[F::NumOutCycl], "needs cycle time of cyclic outputs first");
    ASSERT_EQ(ColumnsFor(limits), LimitsColumns::Failing);
    EXPECT_EQ(LimitsHeadings(LimitsColumns::Failing),
              (std::vector<std::string>{"Input", "Current", "Nearest meeting", "Result there",
                                        "Cause"}));
    EXPECT_FALSE(ClosestChange(limits)) << "a single change meets";

    // Nothing meets anywhere: the lowest time reached, and where.
    limits.clear();
    ASSERT_TRUE(FindLimits(whatIf, {5, std::nullopt, std::nullopt}, limits).Ok());
    const std::optional<Closest> closest = ClosestChange(limits);
    ASSERT_TRUE(closest);
    for (const InputLimit& limit : limits) {
        EXPECT_FALSE(limit.fix);
        if (limit.lowest) {
            EXPECT_GE(limit.lowest->state.Rmax, closest->point.state.Rmax);
        }
    }
    EXPECT_EQ(ClosestSentence(*closest),
              "No single change meets the requirements; the lowest worst case reaction time, "
              "12 ms, comes with number of I/O devices at 1.");
}

// Meets now with `margin` to spare, `percent` of its current value, and
// fails just beyond; none: fails now.
InputLimit Made(Field field, std::optional<int64_t> margin, std::optional<double> percent) {
    InputLimit limit;
    limit.input = FindWhatIfInput(field);
    limit.margin = margin;
    limit.marginPercent = percent;
    if (margin)
        limit.headroom.last.emplace().value = static_cast<int32_t>(*margin);
    limit.headroom.next.emplace().value = static_cast<int32_t>(margin.value_or(0) + 1);
    return limit;
}

// Points of a sweep by their worst case reaction time; 0 stands for a red
// status bar, -1 for a value the check refuses.
std::vector<WhatIfPoint> SweepOf(int32_t from, std::initializer_list<int32_t> rmax) {
    std::vector<WhatIfPoint> points;
    for (int32_t ms : rmax) {
        WhatIfPoint& point = points.emplace_back();
        point.value = from++;
        point.rejected = ms < 0;
        point.statusError = ms == 0;
        point.state.Rmax = ms;
        point.state.Stable = true;
    }
    return points;
}

TEST(FixInSweepTest, NearestMeetingValueTheSmallerOnATie) {
    struct Row {
        const char* name;
        std::vector<WhatIfPoint> points;
        int32_t current;
        std::optional<int32_t> fix;
    };
    const Requirements required{100, {}, {}};
    for (const Row& row : {
             Row{"TieTakesTheSmaller", SweepOf(10, {90, 200, 90}), 11, 10},
             Row{"NearerAboveWins", SweepOf(10, {90, 200, 200, 90}), 12, 13},
             Row{"NearerBelowWins", SweepOf(10, {90, 200, 200, 90}), 11, 10},
             Row{"AtTheRequirementMeets", SweepOf(10, {200, 100}), 10, 11},
             Row{"OneAboveDoesNot", SweepOf(10, {200, 101}), 10, std::nullopt},
             Row{"ErrorStatusAndRefusedDoNotMeet", SweepOf(10, {0, 200, -1, 90}), 11, 13},
             Row{"CurrentMeetsNoFix", SweepOf(10, {90, 90}), 10, std::nullopt},
             Row{"CurrentOutsideTheSweep", SweepOf(10, {200, 90}), 12, std::nullopt},
         })
        EXPECT_EQ(FixInSweep(row.points, row.current, required), row.fix) << row.name;
}

TEST(SortTightestFirstTest, EqualPercentagesTheSmallerMarginFirst) {
    std::vector<InputLimit> limits{Made(F::Mainpath, 100, 50.0), Made(F::NumIOD, 50, 50.0)};
    SortTightestFirst(limits);
    EXPECT_EQ(limits[0].input->field, F::NumIOD);
    EXPECT_EQ(limits[1].input->field, F::Mainpath);
}

// The verdict on the state the window shows: 28 ms, ETO 7, CTO 20 at start.
TEST_F(WindowTest, JudgeStateAtEqualityAndOneBelow) {
    struct Row {
        const char* name;
        Requirements required;
        Shortfall expected;
    };
    for (const Row& row : {
             Row{"AllEqual", {28, 7, 20}, Shortfall::None},
             Row{"RmaxOneBelow", {27, 7, 20}, Shortfall::Rmax},
             Row{"EtoOneBelow", {28, 6, 20}, Shortfall::Eto},
             Row{"CtoOneBelow", {28, 7, 19}, Shortfall::Cto},
             // The worst case reaction time is named first.
             Row{"RmaxAndEtoOneBelow", {27, 6, 20}, Shortfall::Rmax},
         })
        EXPECT_EQ(JudgeState(f(), row.required), row.expected) << row.name;
    // Only the transmission rate applies in Baud rate mode.
    EXPECT_EQ(JudgeState(f(), Applicable(f(), {27, 6, 19})), Shortfall::Rmax);
    f().Baudratemode.Click();
    EXPECT_EQ(JudgeState(f(), Applicable(f(), {1, 1, 1})), Shortfall::None);
    f().Standard.Click();
    Type(f().Ed_NumInp, "0");
    Type(f().Ed_NumOut, "0");
    ASSERT_TRUE(Red());
    EXPECT_EQ(JudgeState(f(), {1000, {}, {}}), Shortfall::ErrorStatus);
}

} // namespace
} // namespace qntcalc::testing
