#include "engine/RateModel.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

constexpr int kKappa7 = 1;
constexpr int kStarCoupler = 2;
constexpr int kMirato = 3;
constexpr int kHarlenRouter = 1;
constexpr int kLindat = 5;

struct RateRow {
    const char* name;
    int32_t length;
    int32_t dropMax;
    int32_t dropTot;
    int32_t numRepeater;
    int repeaterType;
    int32_t rate;
};

void PrintTo(const RateRow& row, std::ostream* os) {
    *os << row.name;
}

class SelectRateTest : public testing::TestWithParam<RateRow> {};

TEST_P(SelectRateTest, MapsEffectiveLengthOntoRate) {
    const RateRow& row = GetParam();
    CalcState state;
    EXPECT_EQ(
        SelectRate(state, row.length, row.dropMax, row.dropTot, row.numRepeater, row.repeaterType),
        row.rate);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, SelectRateTest,
    testing::Values(RateRow{"L100", 100, 0, 0, 0, 0, 500}, RateRow{"L101", 101, 0, 0, 0, 0, 250},
                    RateRow{"L250", 250, 0, 0, 0, 0, 250}, RateRow{"L251", 251, 0, 0, 0, 0, 125},
                    RateRow{"L550", 550, 0, 0, 0, 0, 125}, RateRow{"L551", 551, 0, 0, 0, 0, 50},
                    RateRow{"L1450", 1450, 0, 0, 0, 0, 50}, RateRow{"L1451", 1451, 0, 0, 0, 0, 20},
                    RateRow{"L3500", 3500, 0, 0, 0, 0, 20}, RateRow{"L3501", 3501, 0, 0, 0, 0, 10},
                    RateRow{"L0", 0, 0, 0, 0, 0, 500}, RateRow{"Negative", -50, 0, 0, 0, 0, 500}),
    [](const testing::TestParamInfo<RateRow>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(DropLinesAndRepeaters, SelectRateTest,
                         testing::Values(
                             // First row, E = min(100, 112).
                             RateRow{"DropMax2", 100, 2, 0, 0, 0, 500},
                             // Second row, E = min(250, 118) = 118.
                             RateRow{"DropMax3", 100, 3, 0, 0, 0, 250},
                             // Second row is taken for DropTot, but E = min(250, 100).
                             RateRow{"DropTot11", 100, 0, 11, 0, 0, 500},
                             // No row fits: E = 100 + 180.
                             RateRow{"DropMax30", 100, 30, 0, 0, 0, 125},
                             RateRow{"DropTot200", 100, 0, 200, 0, 0, 500},
                             RateRow{"DropMax25AtLastRow", 3500, 25, 125, 0, 0, 20},
                             RateRow{"DropMax26PastLastRow", 3350, 26, 0, 0, 0, 10},
                             RateRow{"OneKappa7", 100, 0, 0, 1, kKappa7, 250},
                             RateRow{"TwoStarCouplers", 150, 0, 0, 2, kStarCoupler, 250},
                             RateRow{"UnselectedTypeAddsNothing", 100, 0, 0, 3, 0, 500},
                             // Lengths beyond 32 bits are too long, never wrapped short.
                             RateRow{"HugeDropLines", 100, 400000000, 400000000, 0, 0, 10},
                             RateRow{"DropsJustInRange", 100, 357913924, 0, 0, 0, 10},
                             RateRow{"DropsJustPastRange", 100, 357913925, 0, 0, 0, 10},
                             RateRow{"LongestPathWithKappa7", 2147483647, 0, 0, 1, kKappa7, 10},
                             RateRow{"LongestPathWithDropLine", 2147483647, 1, 1, 0, 0, 10},
                             RateRow{"LongestRepeaterChain", 100, 0, 0, 2147483647, kMirato, 10}),
                         [](const testing::TestParamInfo<RateRow>& info) {
                             return info.param.name;
                         });

TEST(RepeaterLengthTest, TypeSetsLengthUnlessManual) {
    struct Row {
        int type;
        int32_t entered;
        int32_t lRepeater;
    };
    for (const Row& row : {Row{0, 33, 0}, Row{1, 33, 40}, Row{2, 33, 50}, Row{3, 33, 90},
                           Row{kRepeaterManualLength, 33, 33}, Row{-1, 33, 0}, Row{5, 33, 0}}) {
        CalcState state;
        state.LRepeater = row.entered;
        EXPECT_EQ(RepeaterLength(state, 3, row.type), 3 * row.lRepeater) << row.type;
        EXPECT_EQ(state.LRepeater, row.lRepeater) << row.type;
    }
}

TEST(RepeaterLengthTest, KappaSetsLRepeaterDuringRateSelection) {
    CalcState state;
    state.LRepeater = 7;
    EXPECT_EQ(SelectRate(state, 100, 0, 0, 1, kKappa7), 250);
    EXPECT_EQ(state.LRepeater, 40);
}

TEST(DetermineRatesTest, RoutersLimitTheLongestSegment) {
    CalcState s;
    s.NumRouters = 3;
    s.MDSeg = 100;
    s.LongSeg = 200;
    Selections sel;
    sel.routerType = kLindat;
    DetermineRates(s, sel, "500");
    EXPECT_EQ(s.Baud, 500);
    EXPECT_EQ(s.BaudLong, 50);
    EXPECT_EQ(RouterCorrection(s, 3, std::min(s.Baud, s.BaudLong), sel.routerType), 120);
    EXPECT_EQ(s.RouterCorr, 40);
}

TEST(DetermineRatesTest, HarlenRouterOnShortSegments) {
    CalcState s;
    s.NumRouters = 1;
    s.MDSeg = 100;
    s.LongSeg = 100;
    Selections sel;
    sel.routerType = kHarlenRouter;
    DetermineRates(s, sel, "500");
    EXPECT_EQ(s.Baud, 500);
    EXPECT_EQ(s.BaudLong, 500);
    RouterCorrection(s, 1, 500, sel.routerType);
    EXPECT_EQ(s.RouterCorr, 2);
}

TEST(DetermineRatesTest, NoRoutersRateTheMainPath) {
    CalcState s;
    s.Mainpath = 2000;
    s.MDSeg = 10;
    s.LongSeg = 10;
    DetermineRates(s, Selections{}, "500");
    EXPECT_EQ(s.Baud, 20);
    EXPECT_EQ(s.BaudLong, 20);
}

TEST(DetermineRatesTest, DirectRateUsesItsOwnDefault) {
    struct Row {
        const char* text;
        int32_t rate;
    };
    for (const Row& row : {Row{"", 500}, Row{"abc", 500}, Row{"125", 125}, Row{"0", 0},
                           Row{"-20", -20}, Row{"100", 100}}) {
        CalcState s;
        s.Mainpath = 5000;
        s.LRepeater = 12;
        Selections sel;
        sel.rateFromStructure = false;
        sel.repeaterType = kKappa7;
        DetermineRates(s, sel, row.text);
        EXPECT_EQ(s.Baud, row.rate) << row.text;
        EXPECT_EQ(s.BaudLong, row.rate) << row.text;
        EXPECT_EQ(s.LRepeater, 12) << "no rate selection ran";
    }
}

TEST(RouterCorrectionTest, OffTableRatesUseTheSlowerColumn) {
    struct Row {
        const char* name;
        int32_t rate;
        int32_t corr; // Harlen router: 25 10 5 3 2
    };
    for (const Row& row :
         {Row{"Below20", 10, 25}, Row{"Zero", 0, 25}, Row{"Negative", -5, 25}, Row{"At20", 20, 25},
          Row{"At50", 50, 10}, Row{"Between", 100, 10}, Row{"At125", 125, 5}, Row{"At250", 250, 3},
          Row{"At500", 500, 2}, Row{"Above500", 1000, 2}}) {
        CalcState s;
        EXPECT_EQ(RouterCorrection(s, 2, row.rate, kHarlenRouter), 2 * row.corr) << row.name;
        EXPECT_EQ(s.RouterCorr, row.corr) << row.name;
    }
}

TEST(RouterCorrectionTest, TableReplacesEnteredTimeExceptForManualType) {
    CalcState s;
    s.RouterCorr = 17;
    EXPECT_EQ(RouterCorrection(s, 0, 500, kLindat), 0);
    EXPECT_EQ(s.RouterCorr, 40) << "the lookup runs with no routers too";

    s.RouterCorr = 17;
    EXPECT_EQ(RouterCorrection(s, 3, 500, kRouterManualTime), 51);
    EXPECT_EQ(s.RouterCorr, 17);

    s.RouterCorr = 17;
    EXPECT_EQ(RouterCorrection(s, 3, 500, -1), 0);
    EXPECT_EQ(s.RouterCorr, 0);
}

} // namespace
} // namespace qntcalc
