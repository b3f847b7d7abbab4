#include "checks/StatusTexts.h"
#include "tests/support/WindowFixture.h"
#include "whatif/WhatIf.h"
#include "window/FieldTable.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace qntcalc::testing {
namespace {

using InputTest = WindowTest;

TEST(WindowConstructionTest, FillsTypeListsWithoutCalculating) {
    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    TMasterForm form(globals, messages, help, "07.12.2026");
    EXPECT_EQ(form.CB_RouterType.Items().size(), 8u);
    EXPECT_EQ(form.CB_RouterType.Items()[7], "Other - Manual time entry");
    EXPECT_EQ(form.CB_RouterType.ItemIndex(), 0);
    EXPECT_EQ(form.CB_RepeaterType.Items().size(), 5u);
    EXPECT_EQ(form.CB_RepeaterType.Items()[4], "Other - Manual length entry");
    EXPECT_EQ(form.CB_RepeaterType.ItemIndex(), 0);
    EXPECT_EQ(form.Calc().CalculationCount(), 0);
    EXPECT_EQ(form.Lbl_Date.Caption(), "07.12.2026");
    EXPECT_EQ(globals.StartDir, std::filesystem::current_path().string());
    EXPECT_EQ(form.SavedText(), "");
    EXPECT_TRUE(form.Standard.Checked());
    EXPECT_EQ(form.PageControl1.ActivePageIndex(), 0);
    EXPECT_EQ(form.MasterForm.Caption(), "Quarnet Calculator");
}

// The one table of the fields against itself and the window it points into.
TEST(FieldTableTest, EveryFieldOnceAndEveryPlaceOnce) {
    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    const TMasterForm form(globals, messages, help, "");
    std::set<std::string> captions;
    for (const Control* control : form.controls.All()) {
        if (const auto* label = dynamic_cast<const Label*>(control))
            captions.insert(label->Caption());
    }

    std::set<std::string_view> keys;
    std::vector<int> whatIfPlaces;
    for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
        const FieldRow& row = kFieldRows[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(static_cast<std::size_t>(row.field), i);
        EXPECT_EQ(row.key, FieldName(row.field));
        EXPECT_TRUE(keys.insert(row.key).second);
        EXPECT_EQ((form.*row.edit).Name(), "Ed_" + std::string(row.key));
        // Whether a user can change a control follows its page by this topic.
        EXPECT_EQ((form.*row.edit).HelpTopic(),
                  form.PageControl1.Pages()[static_cast<std::size_t>(row.page)].helpTopic);
        EXPECT_EQ(captions.count(std::string(row.label)), 1u);
        EXPECT_TRUE(row.unit.empty() || captions.count(std::string(row.unit)) == 1);
        // Only the computed fields may be missing from a file without harm.
        EXPECT_EQ(row.readDefault.empty(), row.group == FileGroup::Results);
        const bool asked = row.whatIf.typing != Typing::Never;
        EXPECT_EQ(row.whatIf.position >= 0, asked);
        EXPECT_EQ(row.check == ValueCheck::None, row.group == FileGroup::Results && !asked);
        if (asked)
            whatIfPlaces.push_back(row.whatIf.position);
        EXPECT_TRUE(asked || row.whatIf.subject.empty());
    }
    std::sort(whatIfPlaces.begin(), whatIfPlaces.end());
    for (std::size_t i = 0; i < whatIfPlaces.size(); ++i)
        EXPECT_EQ(whatIfPlaces[i], static_cast<int>(i));
    EXPECT_EQ(WhatIfInputs().size(), whatIfPlaces.size());
    // A file holds the keys in the table's order, each group one run.
    for (std::size_t i = 1; i < kFieldRows.size(); ++i)
        EXPECT_LE(kFieldRows[i - 1].group, kFieldRows[i].group);
}

TEST_F(InputTest, StartStateIsTheReferenceBaseline) {
    EXPECT_EQ(f().Ed_Baud.Text(), "500");
    EXPECT_EQ(f().Ed_ETO.Text(), "7");
    EXPECT_EQ(f().Ed_CTO.Text(), "20");
    EXPECT_EQ(f().Ed_Rmax.Text(), "28");
    EXPECT_EQ(f().Ed_Alarm.Text(), "19");
    EXPECT_EQ(f().Ed_CVesk.Text(), "7");
    EXPECT_EQ(f().Calc().LastPassCount(), 2);
    EXPECT_EQ(Status(), texts::kEstimates);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InputTest, TypingAMainPathRecalculatesAtOnce) {
    Type(f().Ed_Mainpath, "300");
    EXPECT_EQ(f().Ed_Baud.Text(), "125");
    EXPECT_EQ(f().State().Mainpath, 300);
    EXPECT_EQ(Status(), "All values are estimates and may differ!");
    EXPECT_FALSE(Red());
}

// A value check that fails shows one box and puts back the text the field
// had when it got the focus; the calculation then uses that value.
struct RejectRow {
    const char* name;
    EditField MasterFormControls::*edit;
    const char* typed;
    std::vector<ShownBox> boxes;
    const char* shown;
};

void PrintTo(const RejectRow& row, std::ostream* os) {
    *os << row.name;
}

class ValueCheckTest : public WindowTest, public ::testing::WithParamInterface<RejectRow> {};

TEST_P(ValueCheckTest, ChecksTypedText) {
    const RejectRow& row = GetParam();
    f().CB_DropLines.SetChecked(true);
    EditField& edit = f().*row.edit;
    Type(edit, row.typed);
    EXPECT_EQ(messages.shown, row.boxes);
    EXPECT_EQ(edit.Text(), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, ValueCheckTest,
    ::testing::Values(
        RejectRow{"ZeroMainPath", &C::Ed_Mainpath, "0", {kGreaterZeroBox}, "100"},
        RejectRow{"EmptyMainPath", &C::Ed_Mainpath, "", {kGreaterZeroBox}, "100"},
        RejectRow{"NegativeMainPath", &C::Ed_Mainpath, "-3", {kGreaterZeroBox}, "100"},
        RejectRow{"OneMainPath", &C::Ed_Mainpath, "1", {}, "1"},
        RejectRow{"EmptyDropMax", &C::Ed_DropMax, "", {}, "0"},
        RejectRow{"NegativeDropMax", &C::Ed_DropMax, "-3", {kGreaterEqualZeroBox}, "0"},
        RejectRow{"LoneMinusDropMax", &C::Ed_DropMax, "-", {}, "0"},
        RejectRow{"LetterBehindNumber", &C::Ed_NumIOD, "10a", {}, "0"},
        RejectRow{"DecimalPoint", &C::Ed_NumIOD, "1.5", {}, "0"},
        RejectRow{"LeadingZeros", &C::Ed_NumInp, "0012", {}, "12"},
        RejectRow{"PlusSign", &C::Ed_NumInp, "+12", {}, "12"},
        RejectRow{"SurroundingBlanks", &C::Ed_NumInp, " 12 ", {}, "12"},
        RejectRow{"BeyondThirtyTwoBits", &C::Ed_NumInp, "99999999999", {}, "0"},
        RejectRow{"ZeroLoadFactor", &C::Ed_LoadFact, "0", {kGreaterZeroBox}, "5"}),
    [](const ::testing::TestParamInfo<RejectRow>& info) { return info.param.name; });

TEST_F(InputTest, RestoreUsesTheTextAtFocusNotTheLastAcceptedOne) {
    Type(f().Ed_Mainpath, "300");
    f().Ed_Mainpath.SetText("2000"); // still focused, keeps typing
    f().Ed_Mainpath.SetText("0");
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{kGreaterZeroBox});
    EXPECT_EQ(f().Ed_Mainpath.Text(), "100");
    EXPECT_EQ(f().Ed_Baud.Text(), "500");
}

TEST_F(InputTest, SharedSavedTextRestoresTheLastFocusedFieldsText) {
    Type(f().Ed_NumIOD, "12");
    f().Ed_Mainpath.SetText("0"); // a program change in a field that never had the focus
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{kGreaterZeroBox});
    EXPECT_EQ(f().Ed_Mainpath.Text(), "10") << "Ed_NumIOD's text when it got the focus";
}

TEST_F(InputTest, RejectedRestoreEndsAfterOneBox) {
    // Nothing has had the focus yet, so the text to restore is empty and is
    // rejected as well: one box, and the field settles on the lowest
    // accepted value.
    f().Ed_Mainpath.SetText("0");
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{kGreaterZeroBox});
    EXPECT_EQ(f().Ed_Mainpath.Text(), "1");
    EXPECT_EQ(f().State().Mainpath, 1);
}

// Whoever listens hears every refusal, also one that shows no box.
TEST_F(InputTest, RefusalsAreToldWithOrWithoutABox) {
    std::vector<std::string> heard;
    f().OnValueRefused = [&heard](const EditField& edit, std::string_view text) {
        heard.push_back(edit.Name() + ": " + std::string(text));
    };
    {
        TMasterForm::QuietChecks quiet(f());
        Type(f().Ed_Mainpath, "0");
    }
    EXPECT_TRUE(messages.shown.empty());
    Type(f().Ed_DropMax, "-1");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(heard, (std::vector<std::string>{"Ed_Mainpath: Value must be greater than 0.",
                                               "Ed_DropMax: Value must be greater or equal 0."}));
}

TEST_F(InputTest, MissingCycleTimeAtStartShowsOneBoxAndIsEstimated) {
    f().Ed_CVesk.SetText(""); // as a settings file without CVesk does
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{kGreaterZeroBox});
    EXPECT_EQ(f().Ed_CVesk.Text(), "7");
}

TEST_F(InputTest, PreselectedRateHasNoValueCheck) {
    f().Expert.Click();
    f().RB_Baud.SetChecked(true);
    Type(f().Ed_MainBaud, "100");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(f().Ed_Baud.Text(), "100");
    EXPECT_EQ(Status(), texts::kPreselectedRate);
    EXPECT_TRUE(Red());

    Type(f().Ed_MainBaud, "-20");
    EXPECT_EQ(f().Ed_MainBaud.Text(), "-20") << "shown with its sign";
}

// A rate that cannot be used leaves the cycle time estimated: no value check
// fires, and no "manual" value is left behind for the box to keep.
TEST_F(InputTest, PreselectedRateBelowOneRaisesNoBox) {
    for (const char* rate : {"0", "-20", "abc"}) {
        f().Expert.Click();
        f().RB_Baud.SetChecked(true);
        Type(f().Ed_MainBaud, rate);
        EXPECT_TRUE(messages.shown.empty()) << rate;
        EXPECT_EQ(f().Ed_CVesk.Text(), "7") << rate;
        EXPECT_EQ(f().Ed_NumIOD.Text(), "10") << rate;
        EXPECT_EQ(Status(), texts::kPreselectedRate) << rate;

        f().CB_CVeskManual.SetChecked(true);
        Type(f().Ed_MainBaud, "500");
        EXPECT_EQ(f().Ed_CVesk.Text(), "7") << rate;
        EXPECT_EQ(f().Ed_Rmax.Text(), "28") << rate;
        EXPECT_EQ(Status(), texts::kEstimates) << rate;
        f().CB_CVeskManual.SetChecked(false);
    }
}

TEST_F(InputTest, PreselectedRateFieldStaysEmptyWhileTheRateIsDerived) {
    f().Expert.Click();
    Type(f().Ed_MainBaud, "250");
    EXPECT_EQ(f().Ed_MainBaud.Text(), "");
    EXPECT_EQ(f().Ed_Baud.Text(), "500");
}

TEST_F(InputTest, ManualCycleTimeOnlyWhileTicked) {
    f().Expert.Click();
    f().CB_CVeskManual.SetChecked(true);
    EXPECT_FALSE(f().Ed_CVesk.ReadOnly());
    Type(f().Ed_CVesk, "20");
    EXPECT_EQ(f().Ed_CVesk.Text(), "20");
    EXPECT_EQ(f().Ed_Rmax.Text(), "54");

    Type(f().Ed_CVesk, "0");
    EXPECT_EQ(messages.shown, std::vector<ShownBox>{kGreaterZeroBox});
    EXPECT_EQ(f().Ed_CVesk.Text(), "20");

    f().CB_CVeskManual.SetChecked(false);
    Type(f().Ed_CVesk, "30");
    EXPECT_EQ(f().Ed_CVesk.Text(), "7") << "the estimate replaces a typed value";
}

TEST_F(InputTest, SelectionsRecalculateAtOnce) {
    f().Expert.Click();
    const long before = f().Calc().CalculationCount();
    f().RB_Vesk1.SetChecked(true);
    EXPECT_EQ(f().Ed_CVesk.Text(), "25");
    EXPECT_EQ(f().Ed_Rmax.Text(), "64");
    EXPECT_EQ(f().Calc().CalculationCount(), before + 1) << "one click, one calculation";

    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "1");
    f().CB_RepeaterType.UserSelect(1);
    EXPECT_EQ(f().Ed_LRepeater.Text(), "40");
    EXPECT_EQ(f().Ed_Baud.Text(), "250");
}

TEST_F(InputTest, ProgramSelectionOfATypeCalculatesNothing) {
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "1");
    const long before = f().Calc().CalculationCount();
    f().CB_RepeaterType.SetItemIndex(3);
    EXPECT_EQ(f().Calc().CalculationCount(), before);
    f().CB_RepeaterType.UserSelect(3);
    EXPECT_EQ(f().Calc().CalculationCount(), before + 1);
}

TEST_F(InputTest, RateSourceByProgramClicksOnce) {
    f().Expert.Click();
    int clicks = 0;
    f().RB_Baud.OnClick = [&] { ++clicks; };
    f().RB_Main.OnClick = [&] { ADD_FAILURE() << "deselection raises nothing"; };
    f().RB_Baud.SetChecked(true);
    EXPECT_EQ(clicks, 1);
}

TEST_F(InputTest, HelpCommands) {
    f().Help2.Click();
    EXPECT_EQ(help.contents, 1);
    f().ContextHelp(f().Ed_NumIOD);
    f().ContextHelp(f().Ed_CVesk);
    f().ContextHelp(f().Baudratemode);
    f().ContextHelp(f().GroupBox5);
    EXPECT_EQ(help.topics, (std::vector<int>{21, 27, 15, 10}));
}

// Re-entry: a calculation's own writes must not start another calculation.
class RecalculatingObserver : public ControlObserver {
public:
    explicit RecalculatingObserver(TMasterForm& form) : form_(form) {}
    void ControlChanged(const Control&) override {
        if (!form_.State().CalcReady)
            form_.Recalculate();
    }

private:
    TMasterForm& form_;
};

TEST_F(InputTest, NestedRecalculateChangesNothing) {
    RecalculatingObserver observer(f());
    f().controls.AddObserver(&observer);
    const long before = f().Calc().CalculationCount();
    Type(f().Ed_NumInpCycl, "16");
    Type(f().Ed_InpCycl, "20");
    f().controls.RemoveObserver(&observer);
    EXPECT_EQ(f().Calc().CalculationCount(), before + 2);
    EXPECT_EQ(f().Ed_ETO.Text(), "16");
}

} // namespace
} // namespace qntcalc::testing
