#include "engine/Formulas.h"

#include "engine/Int32.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

struct CeilRow {
    const char* name;
    double x;
    int32_t expected;
};

void PrintTo(const CeilRow& row, std::ostream* os) {
    *os << row.name;
}

class CeilMsTest : public testing::TestWithParam<CeilRow> {};

TEST_P(CeilMsTest, RoundsUpToWholeMilliseconds) {
    const double x = GetParam().x;
    const uint64_t before = i32::SaturationCount();
    EXPECT_EQ(CeilMs(x), GetParam().expected);
    // Held at a limit exactly when the true ceiling lies beyond 32 bits.
    const bool beyond = !std::isnan(x) && (std::ceil(x) > std::numeric_limits<int32_t>::max() ||
                                           std::ceil(x) < std::numeric_limits<int32_t>::min());
    EXPECT_EQ(i32::SaturationCount() != before, beyond);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CeilMsTest,
    testing::Values(CeilRow{"Whole", 2.0, 2}, CeilRow{"JustAbove", 2.0001, 3},
                    CeilRow{"OneUlpAboveTwo", std::nextafter(2.0, 3.0), 3},
                    CeilRow{"OneUlpBelowTwo", std::nextafter(2.0, 1.0), 2},
                    CeilRow{"NegativeHalf", -2.5, -2}, CeilRow{"NegativeWhole", -3.0, -3},
                    CeilRow{"Zero", 0.0, 0}, CeilRow{"NegativeZero", -0.0, 0},
                    CeilRow{"Tiny", 1e-300, 1}, CeilRow{"MaxInt", 2147483647.0, 2147483647},
                    CeilRow{"BelowMaxInt", 2147483646.5, 2147483647},
                    // Beyond 32 bits the nearest limit, never a wrapped value.
                    CeilRow{"AboveMaxInt", 2147483647.5, std::numeric_limits<int32_t>::max()},
                    CeilRow{"TwoToThe32", 4294967296.0, std::numeric_limits<int32_t>::max()},
                    CeilRow{"TwoToThe31", 2147483648.0, std::numeric_limits<int32_t>::max()},
                    CeilRow{"MinusTwoToThe31", -2147483648.0, std::numeric_limits<int32_t>::min()},
                    CeilRow{"HalfBelowMinInt", -2147483648.5, std::numeric_limits<int32_t>::min()},
                    CeilRow{"OneBelowMinInt", -2147483649.0, std::numeric_limits<int32_t>::min()},
                    CeilRow{"MinusTwoToThe32", -4294967296.0, std::numeric_limits<int32_t>::min()},
                    CeilRow{"Huge", 1e300, std::numeric_limits<int32_t>::max()},
                    CeilRow{"NegativeHuge", -1e300, std::numeric_limits<int32_t>::min()},
                    CeilRow{"Infinity", std::numeric_limits<double>::infinity(),
                            std::numeric_limits<int32_t>::max()},
                    CeilRow{"NegativeInfinity", -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<int32_t>::min()},
                    CeilRow{"NaN", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const testing::TestParamInfo<CeilRow>& info) { return info.param.name; });

TEST(RateSurchargeTest, StepsAtEachRate) {
    const std::pair<int32_t, int32_t> rows[] = {{20, 25},  {21, 20},  {50, 20}, {51, 15}, {125, 15},
                                                {126, 10}, {500, 10}, {10, 25}, {-1, 25}};
    for (auto [rate, ms] : rows)
        EXPECT_EQ(RateSurcharge(rate), ms) << rate;
}

struct MessagesRow {
    const char* name;
    int32_t numInp, numInpCycl, inpCycl, numOutCycl, outCycl, numDevices, loadFact, cVesk, cto;
    int32_t expected;
};

void PrintTo(const MessagesRow& row, std::ostream* os) {
    *os << row.name;
}

class CountMessagesTest : public testing::TestWithParam<MessagesRow> {};

TEST_P(CountMessagesTest, CountsMessagesInOneWindow) {
    const MessagesRow& r = GetParam();
    EXPECT_EQ(CountMessages(r.numInp, r.numInpCycl, r.inpCycl, r.numOutCycl, r.outCycl,
                            r.numDevices, r.loadFact, r.cVesk, r.cto),
              r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountMessagesTest,
    testing::Values(MessagesRow{"Baseline", 64, 0, 100, 0, 100, 11, 5, 5, 200, 12},
                    MessagesRow{"CtoZeroUsesDefaultWindow", 64, 0, 100, 0, 100, 11, 5, 5, 0, 12},
                    MessagesRow{"CtoAboveLimit", 64, 0, 100, 0, 100, 11, 5, 5, 400, 12},
                    MessagesRow{"FullLoad", 64, 0, 100, 0, 100, 11, 100, 5, 200, 13},
                    MessagesRow{"FewerInputsThanDevices", 5, 0, 100, 0, 100, 11, 5, 5, 200, 12},
                    MessagesRow{"CyclicLowLoad", 64, 16, 20, 2, 50, 11, 5, 10, 100, 106},
                    MessagesRow{"CyclicFullLoad", 64, 16, 20, 2, 50, 11, 100, 10, 100, 98},
                    MessagesRow{"CyclicDoubleLoad", 64, 16, 20, 2, 50, 11, 200, 10, 100, 98},
                    MessagesRow{"InputsEqualDevices", 11, 0, 100, 0, 100, 11, 200, 5, 200, 14},
                    // Window 300 is still in range; 301 falls back to 100.
                    MessagesRow{"WindowAtLimit", 64, 16, 20, 0, 0, 11, 5, 5, 300, 252},
                    MessagesRow{"WindowAboveLimit", 64, 16, 20, 0, 0, 11, 5, 5, 301, 92},
                    // No controller cycle: the window itself is the cycle.
                    MessagesRow{"NoCycleTime", 64, 0, 100, 1, 0, 11, 5, 0, 200, 13},
                    MessagesRow{"NegativeCycleTimesSkipTerms", 64, 16, -20, 2, -50, 11, 5, 10, 100,
                                22}),
    [](const testing::TestParamInfo<MessagesRow>& info) { return info.param.name; });

TEST(CountMessagesTest, ExtremeCountsHoldAtTheLimit) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(CountMessages(kMin, kMax, 1, kMax, 1, kMax, kMin, kMin, kMin), kMax);
    EXPECT_EQ(CountMessages(0, 0, 0, 0, 0, kMax - 1, 0, 0, 0), kMax);
    EXPECT_EQ(CountMessages(0, 0, 0, 0, 0, kMax, 0, 0, 0), kMax);
    EXPECT_EQ(CountMessages(kMax, kMax, 1, 0, 0, 11, 5, 5, 200), kMax) << "200 x kMax cyclic";
    EXPECT_EQ(CountMessages(kMax, 16, 20, 0, 0, kMin, 100, 5, 200), kMin + 162)
        << "NumInp - NumDevices leaves 32 bits: one input event";
}

TEST(TimeoutFormulasTest, WorkedValues) {
    EXPECT_EQ(CalcETO(500, 12), 7);
    EXPECT_EQ(CalcCTO(500, 12, 11), 20);
    EXPECT_EQ(CalcETO(20, 12), 163);
    EXPECT_EQ(CalcCTO(20, 12, 11), 248);
    EXPECT_EQ(CalcETO(125, 100), 217);
    EXPECT_EQ(CalcCTO(125, 100, 30), 257);
    EXPECT_EQ(CalcRmax(7, 7), 28);
    EXPECT_EQ(CalcAlarm(7), 19);
    EXPECT_EQ(CalcCVesk(11, 114, true), 25);
    EXPECT_EQ(CalcCVesk(11, 114, false), 7);
}

// Rows where the exact constants and the extended precision decide the
// millisecond. Expected values come from exact rational arithmetic rounded to
// a 64-bit mantissa at every step; the decimal constants, or plain double
// steps, give the number in the comment instead.
TEST(TimeoutFormulasTest, ExtendedPrecisionNextToWholeMilliseconds) {
    EXPECT_EQ(CalcETO(1, 500), 135532);  // decimal 135.531: 135531
    EXPECT_EQ(CalcETO(1, 1000), 271063); // decimal: 271062
    EXPECT_EQ(CalcETO(2, 1000), 135532); // decimal: 135531
    EXPECT_EQ(CalcETO(5, 2500), 135532); // decimal: 135531
    EXPECT_EQ(CalcETO(500, 500), 272);
    EXPECT_EQ(CalcCTO(3, 6, 543), 18070);            // double steps: 18069
    EXPECT_EQ(CalcCTO(2, 257454, 969543), 81653662); // double steps: 81653661
    EXPECT_EQ(CalcCTO(1, 1, 1000), 96882);
}

TEST(TimeoutFormulasTest, NegativeInputsStayDefinedHugeOnesHoldAtTheLimit) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(CalcETO(-500, 12), -6);
    EXPECT_EQ(CalcETO(1, 7922481), 2147483545);
    EXPECT_EQ(CalcETO(1, 7922482), kMax);
    EXPECT_EQ(CalcETO(1, kMax), kMax) << "2 x N leaves 32 bits";
    EXPECT_EQ(CalcCTO(1, 7922482, 11), kMax);
    EXPECT_EQ(CalcRmax(1073741822, 1), 2147483646);
    EXPECT_EQ(CalcRmax(1073741823, 1), kMax);
    EXPECT_EQ(CalcRmax(kMax, 1), kMax);
    EXPECT_EQ(CalcAlarm(1073741821), kMax);
    EXPECT_EQ(CalcAlarm(1073741822), kMax);
    EXPECT_EQ(CalcCVesk(kMax, int64_t{kMax} * 2, true), kMax);
}

} // namespace
} // namespace qntcalc
