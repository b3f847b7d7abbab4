#include "checks/PlausibilityCheck.h"

#include "checks/StatusTexts.h"

#include <functional>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

// A completed calculation that no rule objects to: the reference baseline.
CalcState Sound() {
    CalcState s;
    s.Mainpath = 100;
    s.MainBaud = 500;
    s.LoadFact = 5;
    s.NumIOD = 10;
    s.NumVesk = 1;
    s.NumDevices = 11;
    s.NumInp = 64;
    s.NumOut = 50;
    s.Baud = s.BaudLong = 500;
    s.ETO = 7;
    s.CTO = 20;
    s.Rmax = 28;
    s.Alarm = 19;
    s.CVesk = 7;
    s.Stable = true;
    return s;
}

// Routers present with consistent segments.
CalcState WithRouters() {
    CalcState s = Sound();
    s.Mainpath = 300;
    s.NumRouters = 2;
    s.LongSeg = 100;
    s.MDSeg = 100;
    return s;
}

constexpr ModeFacts kStandard{};
constexpr ModeFacts kExpert{true, false, false};
constexpr ModeFacts kBaudRateMode{false, true, false};
constexpr ModeFacts kExpertRateEntered{true, false, true};

const StatusMessage kInfo{Severity::Info, texts::kEstimates};

StatusMessage Error(std::string_view text) {
    return {Severity::Error, text};
}

struct CheckRow {
    const char* name;
    std::function<CalcState()> state;
    ModeFacts mode;
    std::vector<StatusMessage> expected;
};

void PrintTo(const CheckRow& row, std::ostream* os) {
    *os << row.name;
}

class PlausibilityTest : public testing::TestWithParam<CheckRow> {};

TEST_P(PlausibilityTest, EmitsMessagesInRuleOrder) {
    EXPECT_EQ(PlausibilityCheck(GetParam().state(), GetParam().mode), GetParam().expected);
}

template <typename F> std::function<CalcState()> Sound(F change) {
    return [change] {
        CalcState s = Sound();
        change(s);
        return s;
    };
}

template <typename F> std::function<CalcState()> Routed(F change) {
    return [change] {
        CalcState s = WithRouters();
        change(s);
        return s;
    };
}

const auto kUnchanged = [](CalcState&) {};

INSTANTIATE_TEST_SUITE_P(
    Thresholds, PlausibilityTest,
    testing::Values(
        CheckRow{"SoundStandard", Sound(kUnchanged), kStandard, {kInfo}},
        CheckRow{"SoundRoutersStandard", Routed(kUnchanged), kStandard, {kInfo}},
        CheckRow{"RoutersAndRepeatersExpert",
                 Routed([](CalcState& s) { s.NumRepeater = 1; }),
                 kExpert,
                 {kInfo, {Severity::Info, texts::kRepeatersAndRouters}}},
        CheckRow{"RoutersAndRepeatersStandard",
                 Routed([](CalcState& s) { s.NumRepeater = 1; }),
                 kStandard,
                 {kInfo, Error(texts::kRepeatersAndRouters)}},
        CheckRow{"NotStable",
                 Sound([](CalcState& s) { s.Stable = false; }),
                 kStandard,
                 {kInfo, Error(texts::kNotStable)}},
        CheckRow{"Baud11", Sound([](CalcState& s) { s.Baud = 11; }), kStandard, {kInfo}},
        CheckRow{"Baud10",
                 Sound([](CalcState& s) { s.Baud = 10; }),
                 kStandard,
                 {kInfo, Error(texts::kPathTooLong)}},
        CheckRow{"PreselectedRateValid",
                 Sound([](CalcState& s) { s.MainBaud = 125; }),
                 kExpertRateEntered,
                 {kInfo}},
        CheckRow{"PreselectedRateInvalid",
                 Sound([](CalcState& s) { s.MainBaud = 100; }),
                 kExpertRateEntered,
                 {kInfo, Error(texts::kPreselectedRate)}},
        CheckRow{"PreselectedRateTooLow",
                 Sound([](CalcState& s) { s.MainBaud = s.Baud = s.BaudLong = 10; }),
                 kExpertRateEntered,
                 {kInfo, Error(texts::kPathTooLong), Error(texts::kPreselectedRate)}},
        CheckRow{"PreselectedRateIgnoredFromStructure",
                 Sound([](CalcState& s) { s.MainBaud = 100; }),
                 kExpert,
                 {kInfo}},
        CheckRow{"Devices64",
                 Sound([](CalcState& s) { s.NumIOD = 60, s.NumVesk = 4; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"Devices65",
                 Sound([](CalcState& s) { s.NumIOD = 60, s.NumVesk = 5, s.NumDevices = 65; }),
                 kStandard,
                 {kInfo, Error(texts::kTooManyDevices)}},
        CheckRow{"DropTotEqualsMax",
                 Sound([](CalcState& s) { s.DropMax = s.DropTot = 5; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"DropTotBelowMax",
                 Sound([](CalcState& s) { s.DropMax = 5, s.DropTot = 4; }),
                 kStandard,
                 {kInfo, Error(texts::kDropTotal)}},
        CheckRow{"LongSegMissing",
                 Routed([](CalcState& s) { s.LongSeg = 0, s.MDSeg = 0; }),
                 kStandard,
                 {kInfo, Error(texts::kLongSegMissing), Error(texts::kLongSegWrong),
                  Error(texts::kMDSegMissing)}},
        CheckRow{"LongSegEqualsMainpath",
                 Routed([](CalcState& s) { s.LongSeg = 300; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"LongSegAboveMainpath",
                 Routed([](CalcState& s) { s.LongSeg = 301; }),
                 kStandard,
                 {kInfo, Error(texts::kLongSegTooLong)}},
        CheckRow{"MDSegAboveMainpath",
                 Routed([](CalcState& s) { s.MDSeg = 301, s.LongSeg = 301; }),
                 kStandard,
                 {kInfo, Error(texts::kLongSegTooLong), Error(texts::kMDSegTooLong)}},
        CheckRow{"LongSegIsAverage", Routed(kUnchanged), kStandard, {kInfo}},
        CheckRow{"LongSegBelowAverage",
                 Routed([](CalcState& s) { s.LongSeg = 99, s.MDSeg = 99; }),
                 kStandard,
                 {kInfo, Error(texts::kLongSegWrong)}},
        CheckRow{
            "AverageTruncates", Routed([](CalcState& s) { s.Mainpath = 302; }), kStandard, {kInfo}},
        CheckRow{
            "MDSegEqualsLongSeg", Routed([](CalcState& s) { s.MDSeg = 100; }), kStandard, {kInfo}},
        CheckRow{"MDSegAboveLongSeg",
                 Routed([](CalcState& s) { s.MDSeg = 101; }),
                 kStandard,
                 {kInfo, Error(texts::kMDSegLonger)}},
        CheckRow{"SegmentsIgnoredWithoutRouters",
                 Sound([](CalcState& s) { s.LongSeg = 900, s.MDSeg = 0; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"NoVeskBaudRateMode",
                 Sound([](CalcState& s) { s.NumVesk = 0; }),
                 kBaudRateMode,
                 {kInfo}},
        CheckRow{"NegativeVeskBaudRateMode",
                 Sound([](CalcState& s) { s.NumVesk = -1; }),
                 kBaudRateMode,
                 {kInfo, Error(texts::kVeskAtLeastZero)}},
        CheckRow{"NoVeskStandard",
                 Sound([](CalcState& s) { s.NumVesk = 0; }),
                 kStandard,
                 {kInfo, Error(texts::kVeskAtLeastOne)}},
        CheckRow{"NoVeskExpert",
                 Sound([](CalcState& s) { s.NumVesk = 0; }),
                 kExpert,
                 {kInfo, Error(texts::kVeskAtLeastOne)}},
        CheckRow{"NoInputsOrOutputs",
                 Sound([](CalcState& s) { s.NumInp = s.NumOut = 0; }),
                 kStandard,
                 {kInfo, Error(texts::kNoIO)}},
        CheckRow{"CyclicInputsEqualInputs",
                 Sound([](CalcState& s) { s.NumInpCycl = 64, s.InpCycl = 7; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"CyclicInputsAboveInputs",
                 Sound([](CalcState& s) { s.NumInpCycl = 65, s.InpCycl = 7; }),
                 kStandard,
                 {kInfo, Error(texts::kCyclicInputs)}},
        CheckRow{"CyclicOutputDevicesEqualDevices",
                 Sound([](CalcState& s) { s.NumOutCycl = 10, s.OutCycl = 7; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"CyclicOutputDevicesAboveDevices",
                 Sound([](CalcState& s) { s.NumOutCycl = 11, s.OutCycl = 7; }),
                 kStandard,
                 {kInfo, Error(texts::kCyclicOutputDevices)}},
        CheckRow{"InputCycleEqualsVesk",
                 Sound([](CalcState& s) { s.NumInpCycl = 3, s.InpCycl = 7; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"InputCycleTooFast",
                 Sound([](CalcState& s) { s.NumInpCycl = 3, s.InpCycl = 4, s.CVesk = 5; }),
                 kStandard,
                 {kInfo, Error(texts::kInputsTooFast)}},
        CheckRow{"InputCycleFastWithoutCyclicInputs",
                 Sound([](CalcState& s) { s.InpCycl = 4, s.CVesk = 5; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"OutputCycleTooFast",
                 Sound([](CalcState& s) { s.NumOutCycl = 1, s.OutCycl = 6; }),
                 kStandard,
                 {kInfo, Error(texts::kOutputsTooFast)}},
        CheckRow{"InputCycle999",
                 Sound([](CalcState& s) { s.NumInpCycl = 3, s.InpCycl = 999; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"InputCycle1000",
                 Sound([](CalcState& s) { s.NumInpCycl = 3, s.InpCycl = 1000; }),
                 kStandard,
                 {kInfo, Error(texts::kInputCycleTooSlow)}},
        CheckRow{"OutputCycle999",
                 Sound([](CalcState& s) { s.NumOutCycl = 1, s.OutCycl = 999; }),
                 kStandard,
                 {kInfo}},
        CheckRow{"OutputCycle1000",
                 Sound([](CalcState& s) { s.NumOutCycl = 1, s.OutCycl = 1000; }),
                 kStandard,
                 {kInfo, Error(texts::kOutputCycleTooSlow)}},
        CheckRow{"Inputs352", Sound([](CalcState& s) { s.NumInp = 352; }), kStandard, {kInfo}},
        CheckRow{"Inputs353",
                 Sound([](CalcState& s) { s.NumInp = 353; }),
                 kStandard,
                 {kInfo, Error(texts::kTooManyInputs)}},
        CheckRow{"Outputs352", Sound([](CalcState& s) { s.NumOut = 352; }), kStandard, {kInfo}},
        CheckRow{"Outputs353",
                 Sound([](CalcState& s) { s.NumOut = 353; }),
                 kStandard,
                 {kInfo, Error(texts::kTooManyOutputs)}},
        CheckRow{"Load100", Sound([](CalcState& s) { s.LoadFact = 100; }), kStandard, {kInfo}},
        CheckRow{"Load101",
                 Sound([](CalcState& s) { s.LoadFact = 101; }),
                 kStandard,
                 {kInfo, Error(texts::kLoadFactor)}},
        CheckRow{"LastFailingRowComesLast",
                 Sound([](CalcState& s) { s.NumIOD = 60, s.NumVesk = 5, s.LoadFact = 101; }),
                 kStandard,
                 {kInfo, Error(texts::kTooManyDevices), Error(texts::kLoadFactor)}}),
    [](const testing::TestParamInfo<CheckRow>& info) { return info.param.name; });

// Extreme counts wrap as the calculation does instead of trapping.
// Sums and products beyond 32 bits are judged by their true value.
TEST(PlausibilityWrapTest, SumsDoNotWrap) {
    CalcState s = Sound();
    s.NumIOD = std::numeric_limits<int32_t>::max();
    s.NumVesk = 1;
    s.NumDevices = std::numeric_limits<int32_t>::max(); // as the driver holds it
    EXPECT_EQ(PlausibilityCheck(s, kStandard),
              (std::vector<StatusMessage>{kInfo, Error(texts::kTooManyDevices)}));

    s.NumDevices = 67108864; // 32 x that is 2^31 bits
    s.NumInp = s.NumOut = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(PlausibilityCheck(s, kStandard),
              (std::vector<StatusMessage>{kInfo, Error(texts::kTooManyDevices)}));

    s = Sound();
    s.NumInp = s.NumOut = s.NumInpCycl = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(PlausibilityCheck(s, kStandard), std::vector<StatusMessage>{kInfo})
        << "no wrap to 0 inputs and outputs";

    CalcState r = WithRouters();
    r.NumRouters = std::numeric_limits<int32_t>::max(); // NumRouters + 1 wraps to INT32_MIN
    EXPECT_EQ(PlausibilityCheck(r, kStandard), std::vector<StatusMessage>{kInfo});
}

} // namespace
} // namespace qntcalc
