#include "whatif/Limits.h"

#include "tests/support/WindowFixture.h"

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
        EXPECT_EQ(LimitCells((*again)[i], required), LimitCells(limits[i], required));
        EXPECT_EQ((*again)[i].margin, limits[i].margin);
    }
    int asked = 0;
    EXPECT_FALSE(FindLimits(snapshot, required, [&] { return ++asked < 3; }));
    EXPECT_EQ(asked, 3) << "asked before each input";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LimitsOrderTest,
    ::testing::Values(
        // The cyclic bits cannot grow from 0 while their cycle times are 0:
        // tightest; then 450%, 530%, 604%, 1,350%, 5,300%.
        OrderRow{"SmallestMarginInPercent",
                 Defaults,
                 300,
                 {F::NumInpCycl, F::NumOutCycl, F::NumInp, F::NumIOD, F::NumOut, F::Mainpath,
                  F::NumVesk}},
        // Every input fails at its current value: the window's order.
        OrderRow{"FailingNowInTheWindowsOrder",
                 Defaults,
                 27,
                 {F::Mainpath, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl, F::NumOut,
                  F::NumOutCycl}},
        OrderRow{"NoPercentageThenUnbounded",
                 ExpertDropLines,
                 300,
                 {F::NumInpCycl, F::NumOutCycl, F::NumInp, F::NumIOD, F::NumOut, F::Mainpath,
                  F::LoadFact, F::NumVesk, F::DropMax, F::DropTot}}),
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
        const WhatIfInput input{Field::Mainpath, Page::Network, "x", InputUnit::Metres,
                                row.practicalLimit, row.downwards};
        EXPECT_EQ(DefaultHeadroomLimit(input, row.current), row.end) << row.name;
    }
}

// Meets now with `margin` to spare, `percent` of its current value, and
// fails just beyond; none: fails now.
InputLimit Made(Field field, std::optional<int64_t> margin, std::optional<double> percent) {
    InputLimit limit{FindWhatIfInput(field), 0, {}, margin, percent};
    if (margin)
        limit.headroom.last.emplace().value = static_cast<int32_t>(*margin);
    limit.headroom.next.emplace().value = static_cast<int32_t>(margin.value_or(0) + 1);
    return limit;
}

TEST(SortTightestFirstTest, EqualPercentagesTheSmallerMarginFirst) {
    std::vector<InputLimit> limits{Made(F::Mainpath, 100, 50.0), Made(F::NumIOD, 50, 50.0)};
    SortTightestFirst(limits);
    EXPECT_EQ(limits[0].input->field, F::NumIOD);
    EXPECT_EQ(limits[1].input->field, F::Mainpath);
}

TEST(MeetsRequirementsTest, EveryInputMeetsNow) {
    EXPECT_TRUE(MeetsRequirements({})) << "no input to fail";
    EXPECT_TRUE(MeetsRequirements({Made(F::NumIOD, 50, 50.0)}));
    EXPECT_FALSE(MeetsRequirements({Made(F::NumIOD, 50, 50.0), Made(F::Mainpath, {}, {})}));
}

} // namespace
} // namespace qntcalc::testing
