#include "whatif/WhatIf.h"

#include "engine/Int32.h"
#include "engine/RateModel.h"
#include "tests/support/WindowFixture.h"
#include "whatif/Headroom.h"

#include <algorithm>

namespace qntcalc::testing {
namespace {

// Brings a window into a state the way a user does.
using Setup = void (*)(TMasterForm&);

WhatIfPoint Typed(WhatIf& whatIf, Field field, int32_t value) {
    WhatIfPoint point;
    const Result typed = whatIf.Evaluate(field, value, point);
    EXPECT_TRUE(typed.Ok()) << typed.Message();
    return point;
}

std::vector<WhatIfPoint> Swept(WhatIf& whatIf, Field field, int32_t from, int32_t to) {
    std::vector<WhatIfPoint> points;
    const Result swept = whatIf.Sweep(field, from, to, 1, points);
    EXPECT_TRUE(swept.Ok()) << swept.Message();
    return points;
}

void Defaults(TMasterForm&) {}

void ExpertManualCycleTime(TMasterForm& f) {
    f.Expert.Click();
    f.RB_Vesk1.SetChecked(true);
    f.CB_CVeskManual.SetChecked(true);
    Type(f, &C::Ed_CVesk, "20");
}

void ExpertPreselectedRate(TMasterForm& f) {
    f.Expert.Click();
    f.RB_Baud.SetChecked(true);
    Type(f, &C::Ed_MainBaud, "125");
}

void BaudRateModeDropLines(TMasterForm& f) {
    f.Baudratemode.Click();
    f.CB_DropLines.SetChecked(true);
    Type(f, &C::Ed_DropTot, "40");
    Type(f, &C::Ed_DropMax, "5");
}

void Routers(TMasterForm& f) {
    f.CB_Routers.SetChecked(true);
    Type(f, &C::Ed_Mainpath, "600");
    Type(f, &C::Ed_NumRouters, "3");
    f.CB_RouterType.UserSelect(5);
    Type(f, &C::Ed_LongSeg, "200");
    Type(f, &C::Ed_MDSeg, "100");
}

// Routers timed by hand: the correction time is typed, not looked up.
void ManualRouters(TMasterForm& f) {
    Routers(f);
    f.CB_RouterType.UserSelect(kRouterManualTime);
    Type(f, &C::Ed_RouterCorr, "20");
}

void CyclicInputs(TMasterForm& f) {
    Type(f, &C::Ed_NumInpCycl, "16");
    Type(f, &C::Ed_InpCycl, "20");
}

// The iteration alternates and stops at the pass limit.
void Unsettled(TMasterForm& f) {
    Type(f, &C::Ed_Mainpath, "300");
    Type(f, &C::Ed_NumInp, "80");
    Type(f, &C::Ed_NumOut, "40");
    Type(f, &C::Ed_NumInpCycl, "16");
    Type(f, &C::Ed_InpCycl, "20");
    Type(f, &C::Ed_NumOutCycl, "2");
    Type(f, &C::Ed_OutCycl, "50");
}

// Still unsettled, and the fields show the timeouts of a longer path.
void UnsettledAfterLongerPath(TMasterForm& f) {
    Unsettled(f);
    Type(f, &C::Ed_Mainpath, "600");
}

void FewCyclicInputs(TMasterForm& f) {
    Type(f, &C::Ed_NumInpCycl, "2");
    Type(f, &C::Ed_InpCycl, "20");
}

struct SweepRow {
    const char* name;
    Setup setup;
    Field field;
    std::vector<int32_t> values;
    std::vector<int32_t> rejected;
};

void PrintTo(const SweepRow& row, std::ostream* os) {
    *os << row.name;
}

class WhatIfSweepTest : public WindowTest, public ::testing::WithParamInterface<SweepRow> {};

// Every point is what a fresh window with the same history shows once the
// value is typed; the window the sweep started from stays as it was.
// The same inputs end the same after any history, even where the iteration
// does not settle: the timeouts shown before are not where it starts.
TEST_F(WindowTest, UnsettledPointIsTheSameAfterAnyHistory) {
    Unsettled(f());
    EXPECT_EQ(f().State().ETO, 239);
    UnsettledAfterLongerPath(f());
    WhatIf whatIf(f());
    const WhatIfPoint point = Typed(whatIf, Field::Mainpath, 300);
    EXPECT_EQ(point.state.ETO, 239);
    EXPECT_EQ(point.state.CTO, 264);
    EXPECT_FALSE(point.state.Stable);
    EXPECT_EQ(point.status, "Values incorrect - System not stable!");
}

TEST_P(WhatIfSweepTest, EachPointEqualsTheValueTypedIntoTheWindow) {
    const SweepRow& row = GetParam();
    row.setup(f());
    const std::string statusBefore = Status();
    const long calculationsBefore = f().Calc().CalculationCount();
    messages.shown.clear();

    WhatIf whatIf(f());
    ASSERT_TRUE(whatIf.Editable(row.field));
    std::vector<WhatIfPoint> points;
    for (int32_t value : row.values)
        points.push_back(Typed(whatIf, row.field, value));

    EXPECT_EQ(f().Calc().CalculationCount(), calculationsBefore);
    EXPECT_EQ(Status(), statusBefore);
    EXPECT_TRUE(messages.shown.empty());

    for (const WhatIfPoint& point : points) {
        SCOPED_TRACE(point.value);
        Globals freshGlobals;
        RecordingMessages freshMessages;
        TMasterForm fresh(freshGlobals, freshMessages, help, "07.12.2026");
        WireOwnMenuItems(fresh);
        fresh.Recalculate();
        row.setup(fresh);
        freshMessages.shown.clear();
        EditField& edit = fresh.EditFor(row.field);
        edit.Enter();
        edit.SetText(i32::ToText(point.value));

        std::vector<std::string> boxes;
        for (const ShownBox& box : freshMessages.shown)
            boxes.push_back(box.text);
        EXPECT_EQ(point.valueErrors, boxes);
        EXPECT_EQ(point.rejected, std::count(row.rejected.begin(), row.rejected.end(), point.value) == 1);
        if (point.rejected)
            continue;
        for (Field field : kAllFields)
            EXPECT_EQ(point.fields[static_cast<std::size_t>(field)], fresh.EditFor(field).Text())
                << FieldName(field);
        EXPECT_EQ(point.state.Stable, fresh.State().Stable);
        EXPECT_EQ(point.state.Rmax, fresh.State().Rmax);
        EXPECT_EQ(point.passes, fresh.Calc().LastPassCount());
        EXPECT_EQ(point.messages, fresh.LastMessages());
        EXPECT_EQ(point.status, fresh.SB_Status.PanelText(1));
        EXPECT_EQ(point.statusError, fresh.SB_Status.Colour() == StatusColour::Red);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WhatIfSweepTest,
    ::testing::Values(
        SweepRow{"MainpathOverRateSteps",
                 Defaults,
                 Field::Mainpath,
                 {100, 1, 250, 251, 1450, 1451, 3501, 0},
                 {0}},
        SweepRow{"ManualCycleTime", ExpertManualCycleTime, Field::CVesk, {20, 1, 7, 300, 0}, {0}},
        // No value check: 0 and below end without results, and the zero
        // cycle time written back raises a box of its own.
        SweepRow{
            "PreselectedRate", ExpertPreselectedRate, Field::MainBaud, {125, 500, 100, 0, -5}, {}},
        SweepRow{"LoadFactorExpert",
                 [](TMasterForm& f) { f.Expert.Click(); },
                 Field::LoadFact,
                 {5, 100, 101, 0},
                 {0}},
        SweepRow{"DropLinesInBaudRateMode",
                 BaudRateModeDropLines,
                 Field::DropMax,
                 {5, 0, 8, 9, 60, -1},
                 {-1}},
        SweepRow{"LongestSegmentBehindRouters", Routers, Field::LongSeg, {200, 199, 600, 601}, {}},
        // No routers resets and disables the type list; the next value
        // starts from the routers again.
        SweepRow{"RoutersGoneAndBack", Routers, Field::NumRouters, {3, 0, 3, 2}, {}},
        SweepRow{"ManualRouterCorrection",
                 ManualRouters,
                 Field::RouterCorr,
                 {20, 0, 33, 300, 301, -1, 21},
                 {-1}},
        SweepRow{"CyclicInputTime", CyclicInputs, Field::InpCycl, {20, 7, 6, 999, 1000}, {}},
        SweepRow{"UnsettledNetwork", Unsettled, Field::NumInp, {80, 81, 79, 60, 200}, {}},
        SweepRow{"UnsettledCycleTime", Unsettled, Field::InpCycl, {20, 19, 21, 50, -20}, {-20}},
        SweepRow{"UnsettledStartsFromWhatIsShown",
                 UnsettledAfterLongerPath,
                 Field::Mainpath,
                 {600, 300, 301, 250, 0},
                 {0}}),
    [](const ::testing::TestParamInfo<SweepRow>& info) { return info.param.name; });

struct EditableRow {
    const char* name;
    Setup setup;
    std::vector<Field> editable;
};

void PrintTo(const EditableRow& row, std::ostream* os) {
    *os << row.name;
}

class WhatIfEditableTest : public WindowTest, public ::testing::WithParamInterface<EditableRow> {};

TEST_P(WhatIfEditableTest, OnlyWhatTheUserCanTypeIntoNow) {
    GetParam().setup(f());
    WhatIf whatIf(f());
    EXPECT_EQ(whatIf.EditableInputs(), GetParam().editable);
    for (const WhatIfInput& input : WhatIfInputs()) {
        if (!whatIf.Editable(input.field)) {
            WhatIfPoint point;
            EXPECT_EQ(whatIf.Evaluate(input.field, 1, point).failure,
                      Result::Failure::NotTypeable)
                << FieldName(input.field);
            std::vector<WhatIfPoint> points;
            EXPECT_FALSE(whatIf.Sweep(input.field, 1, 3, 1, points).Ok());
            EXPECT_TRUE(points.empty());
        }
    }
}

// A sweep it could not finish is refused before the first value: no step,
// or more values than the bound, counted without wrapping.
TEST_F(WindowTest, SweepRefusesWhatItCannotFinish) {
    WhatIf whatIf(f());
    int visited = 0;
    const auto first = [&visited](const WhatIfPoint&, const TMasterForm&) {
        ++visited;
        return false;
    };
    EXPECT_EQ(whatIf.Sweep(Field::Mainpath, 1, 3, 0, first).Message(),
              "Cannot sweep \"Mainpath\": The step is below 1");
    EXPECT_EQ(whatIf.Sweep(Field::Mainpath, 0, 1'000'000, 1, first).Message(),
              "Cannot sweep \"Mainpath\": More values than 1,000,000");
    EXPECT_FALSE(whatIf.Sweep(Field::NumIOD, INT32_MIN, INT32_MAX, 1, first).Ok());
    EXPECT_EQ(visited, 0);
    EXPECT_TRUE(whatIf.Sweep(Field::Mainpath, 1'000'000, 1, 1, first).Ok());
    EXPECT_EQ(visited, 1);
    Headroom headroom;
    EXPECT_FALSE(FindHeadroom(whatIf, Field::Mainpath, {300, {}, {}}, 1'000'100, headroom).Ok());
    EXPECT_TRUE(FindHeadroom(whatIf, Field::Mainpath, {300, {}, {}}, 1'000'099, headroom).Ok());
}

using F = Field;

INSTANTIATE_TEST_SUITE_P(
    Modes, WhatIfEditableTest,
    ::testing::Values(
        EditableRow{"Standard",
                    Defaults,
                    {F::Mainpath, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl, F::NumOut,
                     F::NumOutCycl}},
        EditableRow{"StandardRoutersCyclic",
                    [](TMasterForm& f) {
                        Routers(f);
                        CyclicInputs(f);
                    },
                    {F::Mainpath, F::NumRouters, F::LongSeg, F::MDSeg, F::NumIOD, F::NumVesk,
                     F::NumInp, F::NumInpCycl, F::InpCycl, F::NumOut, F::NumOutCycl}},
        EditableRow{"StandardRoutersTimedByHand",
                    ManualRouters,
                    {F::Mainpath, F::NumRouters, F::RouterCorr, F::LongSeg, F::MDSeg, F::NumIOD,
                     F::NumVesk, F::NumInp, F::NumInpCycl, F::NumOut, F::NumOutCycl}},
        EditableRow{"ExpertManualCycleTime",
                    ExpertManualCycleTime,
                    {F::Mainpath, F::LoadFact, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl,
                     F::NumOut, F::NumOutCycl, F::CVesk}},
        EditableRow{"ExpertEstimatedCycleTime",
                    [](TMasterForm& f) { f.Expert.Click(); },
                    {F::Mainpath, F::LoadFact, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl,
                     F::NumOut, F::NumOutCycl}},
        EditableRow{"ExpertPreselectedRate",
                    ExpertPreselectedRate,
                    {F::LoadFact, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl, F::NumOut,
                     F::NumOutCycl, F::MainBaud}},
        EditableRow{"BaudRateMode", BaudRateModeDropLines, {F::Mainpath, F::DropMax, F::DropTot}},
        EditableRow{"ErrorHidesTheResultsPage",
                    [](TMasterForm& f) {
                        ExpertManualCycleTime(f);
                        Type(f, &C::Ed_NumVesk, "0");
                    },
                    {F::Mainpath, F::LoadFact, F::NumIOD, F::NumVesk, F::NumInp, F::NumInpCycl,
                     F::NumOut, F::NumOutCycl}}),
    [](const ::testing::TestParamInfo<EditableRow>& info) { return info.param.name; });

struct HeadroomRow {
    const char* name;
    Setup setup;
    Field field;
    Requirements required;
    int32_t limit;
    std::optional<int32_t> last;
    std::optional<int32_t> next;
    Shortfall cause;
    const char* sentence;
};

void PrintTo(const HeadroomRow& row, std::ostream* os) {
    *os << row.name;
}

class HeadroomTest : public WindowTest, public ::testing::WithParamInterface<HeadroomRow> {};

std::optional<int32_t> ValueOf(const std::optional<WhatIfPoint>& point) {
    return point ? std::optional<int32_t>(point->value) : std::nullopt;
}

TEST_P(HeadroomTest, ContiguousStretchAndWhatBreaksIt) {
    const HeadroomRow& row = GetParam();
    row.setup(f());
    WhatIf whatIf(f());
    Headroom headroom;
    ASSERT_TRUE(FindHeadroom(whatIf, row.field, row.required, row.limit, headroom).Ok());
    const Headroom* found = &headroom;
    EXPECT_EQ(ValueOf(found->last), row.last);
    EXPECT_EQ(ValueOf(found->next), row.next);
    EXPECT_EQ(found->cause, row.cause);
    EXPECT_EQ(found->MeetsNow(), row.last.has_value());
    EXPECT_EQ(HeadroomSentence(*found, row.required), row.sentence);

    // The same answer from the ascending sweep of the What-if window.
    const int32_t current = whatIf.CurrentValue(row.field);
    const std::vector<WhatIfPoint> points = Swept(whatIf, row.field, std::min(row.limit, current),
                                                  std::max(row.limit, current));
    const std::optional<Headroom> inSweep =
        HeadroomInSweep(points, row.field, current, found->direction, row.required);
    ASSERT_TRUE(inSweep);
    EXPECT_EQ(ValueOf(inSweep->last), row.last);
    EXPECT_EQ(ValueOf(inSweep->next), row.next);
    EXPECT_EQ(inSweep->cause, row.cause);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeadroomTest,
    ::testing::Values(
        // 1,450 m is the last length of the 50 kBits/s step; the 20 kBits/s
        // step gives the 340 ms of a 2,000 m main path.
        HeadroomRow{"RateStepInsideTheRange",
                    Defaults,
                    F::Mainpath,
                    {300, {}, {}},
                    5000,
                    1450,
                    1451,
                    Shortfall::Rmax,
                    "Main path can grow from 100 m to 1,450 m; at 1,451 m the rate drops to 20 "
                    "kBits/s and the worst case reaction time becomes 340 ms, above the required "
                    "300 ms."},
        HeadroomRow{"BrokenAtTheCurrentValue",
                    Defaults,
                    F::Mainpath,
                    {27, {}, {}},
                    5000,
                    {},
                    100,
                    Shortfall::Rmax,
                    "Main path at 100 m does not meet the requirements: the worst case reaction "
                    "time is 28 ms, above the required 27 ms."},
        HeadroomRow{"EndOfTheRange",
                    Defaults,
                    F::Mainpath,
                    {300, {}, {}},
                    250,
                    250,
                    {},
                    Shortfall::None,
                    "Main path can grow from 100 m to 250 m, the end of the searched range, within "
                    "the requirements."},
        HeadroomRow{"PlausibilityRule",
                    Defaults,
                    F::NumIOD,
                    {1000, {}, {}},
                    64,
                    63,
                    64,
                    Shortfall::ErrorStatus,
                    "Number of I/O devices can grow from 10 to 63; at 64 the status bar shows "
                    "\"Too many devices! Number Vesk + Number I/O Devices may not exceed 64.\""},
        // The estimated controller cycle time is 7 ms; faster inputs break a rule.
        HeadroomRow{"ShortestCycleTime",
                    FewCyclicInputs,
                    F::InpCycl,
                    {100, {}, {}},
                    0,
                    7,
                    6,
                    Shortfall::ErrorStatus,
                    "Cycle time of cyclic inputs can shrink from 20 ms to 7 ms; at 6 ms the status "
                    "bar shows \"The cycle time of cyclic inputs is too fast!\""},
        // Three routers add three times the typed time to ETO and CTO; the
        // cycle timeout passes 300 ms at 94 ms, well before the limit.
        HeadroomRow{"RouterCorrectionUntilUnstable",
                    ManualRouters,
                    F::RouterCorr,
                    {1000, {}, {}},
                    301,
                    93,
                    94,
                    Shortfall::ErrorStatus,
                    "Router correction time per router can grow from 20 ms to 93 ms; at 94 ms the "
                    "status bar shows \"Values incorrect - System not stable!\""},
        HeadroomRow{"RouterCorrectionAgainstTheReactionTime",
                    ManualRouters,
                    F::RouterCorr,
                    {300, {}, {}},
                    301,
                    45,
                    46,
                    Shortfall::Rmax,
                    "Router correction time per router can grow from 20 ms to 45 ms; at 46 ms the "
                    "worst case reaction time becomes 304 ms, above the required 300 ms."},
        // 100 m is the last length of the 500 kBits/s step.
        HeadroomRow{"EventTimeoutAtTheNextRateStep",
                    Defaults,
                    F::Mainpath,
                    {1000, 10, {}},
                    5000,
                    100,
                    101,
                    Shortfall::Eto,
                    "Main path cannot grow beyond 100 m; at 101 m the rate drops to 250 kBits/s "
                    "and the event timeout (ETO) becomes 14 ms, above the required 10 ms."}),
    [](const ::testing::TestParamInfo<HeadroomRow>& info) { return info.param.name; });

// A requirement equal to the value meets it; one millisecond more breaks it.
TEST(JudgeTest, RequirementsMeetAtEqualityAndBreakOneAbove) {
    struct Row {
        const char* name;
        int32_t rmax, eto, cto;
        bool stable;
        bool rejected;
        Shortfall expected;
    };
    const Requirements required{300, 38, 59};
    for (const Row& row : {
             Row{"AllEqual", 300, 38, 59, true, false, Shortfall::None},
             Row{"RmaxAbove", 301, 38, 59, true, false, Shortfall::Rmax},
             Row{"EtoAbove", 300, 39, 59, true, false, Shortfall::Eto},
             Row{"CtoAbove", 300, 38, 60, true, false, Shortfall::Cto},
             Row{"UnstableWithoutRedStatus", 10, 1, 1, false, false, Shortfall::ErrorStatus},
             Row{"RefusedByTheCheck", 10, 1, 1, true, true, Shortfall::Rejected},
         }) {
        WhatIfPoint point;
        point.state.Rmax = row.rmax;
        point.state.ETO = row.eto;
        point.state.CTO = row.cto;
        point.state.Stable = row.stable;
        point.rejected = row.rejected;
        EXPECT_EQ(Judge(point, required), row.expected) << row.name;
    }
}

} // namespace
} // namespace qntcalc::testing
