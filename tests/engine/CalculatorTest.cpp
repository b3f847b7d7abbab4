#include "engine/Calculator.h"

#include "engine/Int32.h"
#include "engine/ValueWindow.h"

#include <clocale>
#include <locale>
#include <random>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

constexpr int kHarlenRouter = 1;
constexpr int kLindat = 5;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// Inputs as text, results as numbers: a driver case of the reference sheet.
struct DriverCase {
    const char* name;
    std::vector<std::pair<Field, const char*>> texts;
    Selections selections;
    struct {
        int32_t baud, baudLong, routerCorr, routerCorrRes, eto, cto, rmax, alarm, cVesk;
    } expected;
    bool stable;
    int passes;
};

void PrintTo(const DriverCase& row, std::ostream* os) {
    *os << row.name;
}

Selections Cpu12() {
    Selections s;
    s.cpuOneOrTwo = true;
    return s;
}

Selections ManualCycle() {
    Selections s;
    s.cveskManual = true;
    return s;
}

Selections Routers(int type) {
    Selections s;
    s.routerType = type;
    return s;
}

class DriverTest : public testing::TestWithParam<DriverCase> {};

TEST_P(DriverTest, ComputesReferenceResults) {
    const DriverCase& c = GetParam();
    ValueWindow window;
    for (const auto& [field, text] : c.texts)
        window.SetText(field, text);
    window.selections = c.selections;
    Calculator calc(window);
    calc.Recalculate();

    const CalcState& s = calc.State();
    EXPECT_EQ(s.Baud, c.expected.baud);
    EXPECT_EQ(s.BaudLong, c.expected.baudLong);
    EXPECT_EQ(s.RouterCorr, c.expected.routerCorr);
    EXPECT_EQ(s.RouterCorrRes, c.expected.routerCorrRes);
    EXPECT_EQ(s.ETO, c.expected.eto);
    EXPECT_EQ(s.CTO, c.expected.cto);
    EXPECT_EQ(s.Rmax, c.expected.rmax);
    EXPECT_EQ(s.Alarm, c.expected.alarm);
    EXPECT_EQ(s.CVesk, c.expected.cVesk);
    EXPECT_EQ(s.Stable, c.stable);
    EXPECT_EQ(calc.LastPassCount(), c.passes);
    EXPECT_TRUE(s.CalcReady);
    // The results reach the edit fields.
    EXPECT_EQ(window.Text(Field::ETO), i32::ToText(c.expected.eto));
    EXPECT_EQ(window.Text(Field::CVesk), i32::ToText(c.expected.cVesk));
}

INSTANTIATE_TEST_SUITE_P(
    Reference, DriverTest,
    testing::Values(
        DriverCase{"Baseline", {}, {}, {500, 500, 0, 0, 7, 20, 28, 19, 7}, true, 2},
        DriverCase{"CpuOneOrTwo", {}, Cpu12(), {500, 500, 0, 0, 7, 20, 64, 19, 25}, true, 2},
        DriverCase{"ManualCycleTime",
                   {{Field::CVesk, "20"}},
                   ManualCycle(),
                   {500, 500, 0, 0, 7, 20, 54, 19, 20},
                   true,
                   2},
        DriverCase{"ResultsShowingZero",
                   {{Field::ETO, "0"}, {Field::CTO, "0"}, {Field::CVesk, "0"}},
                   {},
                   {500, 500, 0, 0, 7, 20, 28, 19, 7},
                   true,
                   2},
        DriverCase{"ResultsShowingText",
                   {{Field::ETO, "x"}, {Field::CTO, ""}, {Field::CVesk, "1.5"}},
                   {},
                   {500, 500, 0, 0, 7, 20, 28, 19, 7},
                   true,
                   2},
        DriverCase{"CyclicInputs",
                   {{Field::NumInpCycl, "16"}, {Field::InpCycl, "20"}},
                   {},
                   {500, 500, 0, 0, 16, 29, 46, 37, 7},
                   true,
                   3},
        DriverCase{"ThreeLindatRouters",
                   {{Field::NumRouters, "3"}, {Field::MDSeg, "100"}, {Field::LongSeg, "200"}},
                   Routers(kLindat),
                   {500, 50, 40, 120, 127, 140, 268, 259, 7},
                   true,
                   2},
        DriverCase{"LongMainPath",
                   {{Field::Mainpath, "2000"}},
                   {},
                   {20, 20, 0, 0, 163, 248, 340, 331, 7},
                   true,
                   2},
        // A CTO above 300 switches the next window to 100, and back: the
        // iteration alternates and ends at the pass limit, not stable
        // although both timeouts are within their limits.
        DriverCase{"AlternatesUntilPassLimit",
                   {{Field::Mainpath, "300"},
                    {Field::NumInp, "80"},
                    {Field::NumOut, "40"},
                    {Field::NumInpCycl, "16"},
                    {Field::InpCycl, "20"},
                    {Field::NumOutCycl, "2"},
                    {Field::OutCycl, "50"}},
                   {},
                   {125, 125, 0, 0, 239, 264, 492, 483, 7},
                   false,
                   100},
        DriverCase{"FourCycleStopsOnCloseCount",
                   {{Field::Mainpath, "400"},
                    {Field::NumIOD, "20"},
                    {Field::NumVesk, "2"},
                    {Field::NumInp, "200"},
                    {Field::NumInpCycl, "16"},
                    {Field::InpCycl, "50"},
                    {Field::NumOut, "100"},
                    {Field::NumOutCycl, "2"},
                    {Field::OutCycl, "100"}},
                   {},
                   {125, 125, 0, 0, 144, 177, 310, 293, 11},
                   true,
                   43},
        // Beyond 32 bits results hold at the limit: never wrapped round to
        // small, stable-looking times.
        DriverCase{
            "RouterCorrectionBeyond32Bits",
            {{Field::NumRouters, "1073741824"}, {Field::MDSeg, "100"}, {Field::LongSeg, "100"}},
            Routers(kHarlenRouter),
            {500, 500, 2, kMax, kMax, kMax, kMax, kMax, 7},
            false,
            2},
        // A number held at the limit is no result: never sound. One below
        // the limit the numbers stay as they are.
        DriverCase{"ManualCycleTimeAtLimit",
                   {{Field::CVesk, "2147483647"}},
                   ManualCycle(),
                   {500, 500, 0, 0, 7, 20, kMax, 19, kMax},
                   false,
                   2},
        DriverCase{"ReactionTimeOneBeyond32Bits",
                   {{Field::CVesk, "1073741817"}},
                   ManualCycle(),
                   {500, 500, 0, 0, 7, 20, kMax, 19, 1073741817},
                   false,
                   2},
        DriverCase{"LargestReactionTimeWithin32Bits",
                   {{Field::CVesk, "1073741816"}},
                   ManualCycle(),
                   {500, 500, 0, 0, 7, 20, 2147483646, 19, 1073741816},
                   true,
                   2},
        DriverCase{"DeviceCountBeyond32Bits",
                   {{Field::NumIOD, "2147483647"}, {Field::NumVesk, "1"}},
                   {},
                   {500, 500, 0, 0, 1164202425, 1578490686, kMax, kMax, 628168719},
                   false,
                   2}),
    [](const testing::TestParamInfo<DriverCase>& info) { return info.param.name; });

std::vector<PassTrace> Trace(ValueWindow& window) {
    Calculator calc(window);
    std::vector<PassTrace> passes;
    calc.SetPassObserver([&passes](const PassTrace& p) { passes.push_back(p); });
    calc.Recalculate();
    return passes;
}

// The shown results (ETO 100, CTO 200) are not where it starts: ETO 0 and
// the 1 ms window.
TEST(DriverTraceTest, BaselineStartsFromTheShortestWindow) {
    ValueWindow window;
    const auto passes = Trace(window);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].oldSum, 1);
    EXPECT_EQ(passes[0].newSum, 27);
    EXPECT_EQ(passes[1].oldSum, 27);
    EXPECT_EQ(passes[1].newSum, 27);
}

TEST(DriverTraceTest, CyclicInputsClimbToTheirWindow) {
    ValueWindow window;
    window.SetText(Field::NumInpCycl, "16");
    window.SetText(Field::InpCycl, "20");
    const auto passes = Trace(window);
    std::vector<int32_t> sums;
    for (const PassTrace& p : passes)
        sums.push_back(p.newSum);
    EXPECT_EQ(sums, (std::vector<int32_t>{27, 45, 45}));
    EXPECT_EQ(passes.back().closeCount, 1);
}

// The example project with 22 I/O devices has two self-consistent answers:
// ETO 28/CTO 48 (a window below 50 ms) and ETO 36/CTO 56. Whatever the
// fields showed before, on either side of either, the smaller one comes.
TEST(DriverTraceTest, TwoSolutionsGiveTheSmallerWhateverWasShown) {
    for (const char* shownCto : {"0", "1", "48", "49", "50", "56", "99", "100", "300", "x"}) {
        SCOPED_TRACE(shownCto);
        ValueWindow window;
        for (auto [field, text] : {std::pair{Field::Mainpath, "180"},
                                   {Field::NumIOD, "22"},
                                   {Field::NumVesk, "2"},
                                   {Field::NumInp, "420"},
                                   {Field::NumInpCycl, "8"},
                                   {Field::InpCycl, "50"},
                                   {Field::NumOut, "260"},
                                   {Field::ETO, "36"},
                                   {Field::CVesk, "5"}})
            window.SetText(field, text);
        window.SetText(Field::CTO, shownCto);
        Calculator calc(window);
        calc.Recalculate();
        EXPECT_EQ(calc.State().ETO, 28);
        EXPECT_EQ(calc.State().CTO, 48);
        EXPECT_EQ(calc.State().Rmax, 84);
        EXPECT_EQ(calc.State().CVesk, 14);
        EXPECT_TRUE(calc.State().Stable);
        EXPECT_EQ(calc.LastPassCount(), 2);
    }
}

TEST(DriverTraceTest, FourCycleGainsOneCloseEveryFourthPass) {
    ValueWindow window;
    for (auto [field, text] : {std::pair{Field::Mainpath, "400"},
                               {Field::NumIOD, "20"},
                               {Field::NumVesk, "2"},
                               {Field::NumInp, "200"},
                               {Field::NumInpCycl, "16"},
                               {Field::InpCycl, "50"},
                               {Field::NumOut, "100"},
                               {Field::NumOutCycl, "2"},
                               {Field::OutCycl, "100"}})
        window.SetText(field, text);
    const auto passes = Trace(window);
    ASSERT_EQ(passes.size(), 43u);
    EXPECT_EQ(passes.back().closeCount, 10);
    // From the shortest window it climbs for three passes (133, 233, 333),
    // then cycles 419, 515, 603, 321.
    EXPECT_EQ(passes[2].newSum, 333);
    for (std::size_t i = 7; i < passes.size(); ++i)
        EXPECT_EQ(passes[i].newSum, passes[i - 4].newSum) << "pass " << i + 1;
}

// The cycle time is estimated before the first pass: the reaction time of
// a shown older one (2 x (7 + 7) = 28 ms instead of 64 ms) never comes out.
TEST(DriverTest, ShownCycleTimeIsNotUsed) {
    ValueWindow window;
    window.SetText(Field::ETO, "7");
    window.SetText(Field::CTO, "20");
    window.SetText(Field::CVesk, "7");
    window.selections.cpuOneOrTwo = true;
    Calculator calc(window);
    calc.Recalculate();
    EXPECT_EQ(calc.State().CVesk, 25);
    EXPECT_EQ(calc.State().Rmax, 64);
    EXPECT_EQ(calc.LastPassCount(), 2);
    EXPECT_TRUE(calc.State().Stable);
}

// The cycle time is estimated as always: it does not depend on the rate, and
// a 0 in Ed_CVesk would raise its value check.
TEST(DriverTest, DirectRateBelowOneNeverReachesTheFormulas) {
    for (const char* rate : {"0", "-20", "-125", "-2147483648"}) {
        ValueWindow window;
        window.selections.rateFromStructure = false;
        window.SetText(Field::MainBaud, rate);
        Calculator calc(window);
        calc.Recalculate();
        const CalcState& s = calc.State();
        EXPECT_EQ(s.Baud, i32::ParseOr(rate, 0)) << rate;
        EXPECT_FALSE(s.Stable) << rate;
        EXPECT_EQ(calc.LastPassCount(), 0) << rate;
        for (int32_t result : {s.ETO, s.CTO, s.Rmax, s.Alarm})
            EXPECT_EQ(result, 0) << rate;
        EXPECT_EQ(s.CVesk, 7) << rate;
        EXPECT_TRUE(s.CalcReady);
    }
}

TEST(DriverTest, EmptyDirectRateIsReadAsZeroButUsedAs500) {
    ValueWindow window;
    window.selections.rateFromStructure = false;
    window.SetText(Field::MainBaud, "");
    Calculator calc(window);
    calc.Recalculate();
    EXPECT_EQ(calc.State().MainBaud, 0);
    EXPECT_EQ(calc.State().Baud, 500);
    EXPECT_EQ(calc.State().ETO, 7);
}

// Texts and numbers never follow the user's locale: a comma-decimal locale
// must not change what is read, computed or shown.
TEST(DriverTest, CommaDecimalLocaleChangesNothing) {
    struct CommaDecimal : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const char* cLocale = std::setlocale(LC_ALL, nullptr);
    const std::string savedC = cLocale ? cLocale : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name))
            break;
    }
    ValueWindow window;
    window.SetText(Field::Mainpath, "2000");
    Calculator calc(window);
    calc.Recalculate();
    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(previous);
    EXPECT_EQ(window.Text(Field::ETO), "163");
    EXPECT_EQ(window.Text(Field::CTO), "248");
    EXPECT_EQ(window.Text(Field::Mainpath), "2000");
}

TEST(DriverTest, DirectRateBelowOneKeepsManualCycleTime) {
    ValueWindow window;
    window.selections.rateFromStructure = false;
    window.selections.cveskManual = true;
    window.SetText(Field::MainBaud, "0");
    window.SetText(Field::CVesk, "12");
    Calculator calc(window);
    calc.Recalculate();
    EXPECT_EQ(calc.State().CVesk, 12);
}

TEST(DriverTest, DirectRateOfOneIsCalculated) {
    ValueWindow window;
    window.selections.rateFromStructure = false;
    window.SetText(Field::MainBaud, "1");
    Calculator calc(window);
    calc.Recalculate();
    EXPECT_GT(calc.State().ETO, 0);
    EXPECT_GT(calc.LastPassCount(), 0);
}

// A window whose writes fire the change handlers, as the real one does.
class ReentrantWindow : public ValueWindow {
public:
    Calculator* calc = nullptr;
    int pageSettings = 0;

    void PageSetting() override {
        ++pageSettings;
        calc->Recalculate();
    }
    void InputEnabling(CalcState& state) override {
        calc->Recalculate();
        ValueWindow::InputEnabling(state);
    }
    void ShowResults(CalcState& state) override {
        ValueWindow::ShowResults(state);
        calc->Recalculate();
    }
};

TEST(DriverTest, NestedCallsChangeNothing) {
    ReentrantWindow window;
    Calculator calc(window);
    window.calc = &calc;
    calc.Recalculate();
    EXPECT_EQ(window.pageSettings, 1);
    EXPECT_EQ(calc.State().ETO, 7);
    EXPECT_EQ(calc.LastPassCount(), 2);
    EXPECT_TRUE(calc.State().CalcReady);
}

class ThrowingWindow : public ValueWindow {
public:
    bool fail = true;
    void ShowResults(CalcState& state) override {
        if (fail)
            throw std::runtime_error("display failed");
        ValueWindow::ShowResults(state);
    }
};

TEST(DriverTest, GuardIsReleasedWhenTheWindowThrows) {
    ThrowingWindow window;
    Calculator calc(window);
    EXPECT_THROW(calc.Recalculate(), std::runtime_error);
    EXPECT_TRUE(calc.State().CalcReady);
    window.fail = false;
    calc.Recalculate();
    EXPECT_EQ(window.Text(Field::ETO), "7");
}

TEST(DriverTest, PageFixUpKeepsAVisiblePageActive) {
    struct Row {
        const char* name;
        int active;
        bool activeTabVisible;
        int expected;
    };
    for (const Row& row :
         {Row{"VisibleStays", 3, true, 3}, Row{"HiddenMovesToNetwork", 7, false, 0},
          Row{"NoneMovesToNetwork", -1, true, 0}, Row{"OutOfRangeMovesToNetwork", 12, true, 0}}) {
        ValueWindow window;
        window.activePage = row.active;
        if (row.active >= 0 && row.active < 8)
            window.tabVisible[static_cast<std::size_t>(row.active)] = row.activeTabVisible;
        Calculator calc(window);
        calc.Recalculate();
        EXPECT_EQ(window.activePage, row.expected) << row.name;
    }
}

// Any texts at all, across the whole 32-bit range: the driver always ends
// within its pass limit, never traps, and leaves the guard released.
TEST(DriverPropertyTest, RandomInputsAlwaysTerminate) {
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int32_t> any(std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max());
    std::uniform_int_distribution<int32_t> small(-5, 600);
    std::uniform_int_distribution<int> type(-1, 8);
    std::bernoulli_distribution coin(0.5);
    for (int run = 0; run < 3000; ++run) {
        ValueWindow window;
        for (Field field : kAllFields)
            window.SetText(field, i32::ToText(coin(rng) ? any(rng) : small(rng)));
        window.selections = {type(rng), type(rng), coin(rng), coin(rng), coin(rng)};
        Calculator calc(window);
        calc.Recalculate();
        ASSERT_LE(calc.LastPassCount(), Calculator::kMaxPasses);
        ASSERT_TRUE(calc.State().CalcReady);
        if (calc.LastPassCount() == Calculator::kMaxPasses) {
            ASSERT_FALSE(calc.State().Stable);
        }
    }
}

} // namespace
} // namespace qntcalc
