#include "project/ProjectChanges.h"
#include "tests/support/WindowFixture.h"
#include "window/UndoHistory.h"

#include <functional>
#include <string>
#include <vector>

namespace qntcalc::testing {
namespace {

class UndoTest : public WindowTest {
protected:
    UndoHistory& History() { return commands->History(); }
    // Every input of the window, as a project file holds them, and the
    // requirements, which the file holds too.
    std::string Inputs() { return ProjectContent(f()); }
    // What the user does: into the field, the keys one by one, out again.
    void TypeKeys(EditField& edit, const std::vector<std::string>& texts) {
        edit.Enter();
        for (const std::string& text : texts)
            edit.SetText(text);
        edit.Leave();
    }
};

// Each kind of step on its own, then all of them undone and redone in turn:
// every input comes back, and the results with them.
TEST_F(UndoTest, EveryKindOfStepIsUndoneAndRedone) {
    KeptInputs kept;
    kept.Set(Field::NumIOD, true);
    struct Step {
        const char* name;
        std::function<void()> act;
        int steps = 1;
    };
    const std::vector<Step> steps{
        {"TypedField", [&] { TypeKeys(f().Ed_Mainpath, {"3", "30", "300"}); }},
        {"Box", [&] { f().CB_DropLines.UserSetChecked(true); }},
        {"Mode", [&] { f().Expert.Click(); }},
        {"Button", [&] { f().RB_Vesk1.UserSelect(); }},
        {"RoutersAndList",
         [&] {
             f().CB_Routers.UserSetChecked(true);
             TypeKeys(f().Ed_NumRouters, {"2"});
             f().CB_RouterType.UserSelect(5);
         },
         3},
        {"Requirement", [&] { f().UserSetRequirements({100, 40, std::nullopt, kept}); }},
        {"UsedValue", [&] { ASSERT_TRUE(f().UseValue(Field::NumIOD, 22)); }},
        {"BaudRateMode", [&] { f().Baudratemode.Click(); }},
    };
    std::vector<std::string> before;
    std::vector<int32_t> rmax;
    for (const Step& step : steps) {
        before.push_back(Inputs());
        rmax.push_back(f().State().Rmax);
        step.act();
        EXPECT_NE(Inputs(), before.back()) << step.name;
    }
    const std::string last = Inputs();
    const int32_t lastRmax = f().State().Rmax;
    const long calculations = f().Calc().CalculationCount();
    for (std::size_t i = steps.size(); i-- > 0;) {
        for (int step = 0; step < steps[i].steps; ++step) {
            ASSERT_TRUE(History().CanUndo());
            f().Undo.Click();
        }
        EXPECT_EQ(Inputs(), before[i]) << steps[i].name;
        EXPECT_EQ(f().State().Rmax, rmax[i]) << steps[i].name;
    }
    EXPECT_FALSE(History().CanUndo());
    EXPECT_FALSE(f().Undo.Enabled());
    EXPECT_TRUE(f().Redo.Enabled());
    while (History().CanRedo())
        f().Redo.Click();
    EXPECT_EQ(Inputs(), last);
    EXPECT_EQ(f().State().Rmax, lastRmax);
    EXPECT_EQ(f().Calc().CalculationCount(), calculations) << "restored, not calculated";
    EXPECT_TRUE(f().Baudratemode.Checked());
    EXPECT_FALSE(TabShown(Page::Devices));
}

// The typing in one field is one step, whatever its value check refused and
// put back on the way; a step that changes nothing is none.
TEST_F(UndoTest, AValueCheckThatPutTextBackIsPartOfTheTyping) {
    TypeKeys(f().Ed_NumIOD, {"30"});
    const std::string afterDevices = Inputs();
    TypeKeys(f().Ed_Mainpath, {"3", "", "0", "300"});
    ASSERT_EQ(messages.shown.size(), 2u) << "empty and 0 are refused";
    EXPECT_EQ(f().Ed_Mainpath.Text(), "300");
    TypeKeys(f().Ed_NumVesk, {"", "1"});
    f().Undo.Click();
    EXPECT_EQ(f().Ed_Mainpath.Text(), "100");
    EXPECT_EQ(Inputs(), afterDevices) << "the refusals and the unchanged field are no steps";
    f().Undo.Click();
    EXPECT_EQ(f().Ed_NumIOD.Text(), "10");
    EXPECT_FALSE(History().CanUndo());
}

// The menu item undoes the typing under way too; a new step ends what can
// be redone.
TEST_F(UndoTest, TypingUnderWayIsTheLastStep) {
    TypeKeys(f().Ed_Mainpath, {"300"});
    f().Ed_NumIOD.Enter();
    f().Ed_NumIOD.SetText("20");
    EXPECT_TRUE(f().Undo.Enabled());
    f().Undo.Click();
    EXPECT_EQ(f().Ed_NumIOD.Text(), "10");
    EXPECT_EQ(f().Ed_Mainpath.Text(), "300");
    EXPECT_TRUE(f().Redo.Enabled());
    TypeKeys(f().Ed_NumVesk, {"2"});
    EXPECT_FALSE(f().Redo.Enabled());
    f().Redo.Click();
    EXPECT_EQ(f().Ed_NumIOD.Text(), "10");
}

// A value taken over from the limits is typed as the user would, but the
// field the user is in keeps what its value check would put back; a field
// the user cannot type into now takes nothing.
TEST_F(UndoTest, AUsedValueLeavesTheFieldTheUserIsIn) {
    f().Ed_Mainpath.Enter();
    EXPECT_TRUE(f().UseValue(Field::NumIOD, 22));
    f().Ed_Mainpath.SetText("0");
    EXPECT_EQ(f().Ed_Mainpath.Text(), "100");
    EXPECT_EQ(f().Ed_NumIOD.Text(), "22");
    EXPECT_FALSE(f().UseValue(Field::InpCycl, 50)) << "no cyclic inputs counted";
    EXPECT_EQ(f().Ed_InpCycl.Text(), "0");
    f().Undo.Click();
    EXPECT_EQ(f().Ed_NumIOD.Text(), "10");
}

// Back to what the file holds is unmodified again; a project opened starts
// a history of its own.
TEST_F(UndoTest, TheModifiedMarkFollowsAndOpeningStartsAnew) {
    WriteBytes("alpha.ini", "[Settings]\nProject=Alpha\nNumVesk=1\nCVesk=7\n");
    dialogs.answers = {Path("alpha.ini")};
    f().Open.Click();
    EXPECT_FALSE(History().CanUndo());
    TypeKeys(f().Ed_Mainpath, {"900"});
    f().UserSetRequirements({200, std::nullopt, std::nullopt});
    EXPECT_TRUE(commands->Changes().Modified());
    f().Undo.Click();
    EXPECT_TRUE(commands->Changes().Modified());
    f().Undo.Click();
    EXPECT_FALSE(commands->Changes().Modified());
    f().Redo.Click();
    EXPECT_TRUE(commands->Changes().Modified());
    dialogs.answers = {Path("alpha.ini")};
    messages.choices = {SaveChoice::Discard};
    f().Open.Click();
    EXPECT_FALSE(f().Undo.Enabled());
    EXPECT_FALSE(f().Redo.Enabled());
}

// The oldest steps go; the page shown stays while its tab does.
TEST_F(UndoTest, AtMostSoManyStepsAndThePageStays) {
    for (std::size_t i = 0; i <= UndoHistory::kMostSteps; ++i)
        TypeKeys(f().Ed_Mainpath, {std::to_string(200 + i)});
    f().PageControl1.UserSelectPage(static_cast<int>(Page::Inputs));
    std::size_t undone = 0;
    while (History().CanUndo()) {
        f().Undo.Click();
        ++undone;
    }
    EXPECT_EQ(undone, UndoHistory::kMostSteps);
    EXPECT_EQ(f().Ed_Mainpath.Text(), "200");
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Inputs));

    f().CB_DropLines.UserSetChecked(true);
    f().PageControl1.UserSelectPage(static_cast<int>(Page::DropLines));
    f().Undo.Click();
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network))
        << "the Drop Lines tab went with the box";
}

} // namespace
} // namespace qntcalc::testing
