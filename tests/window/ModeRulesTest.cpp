#include "checks/StatusTexts.h"
#include "project/ProjectChanges.h"
#include "project/ProjectFile.h"
#include "tests/support/WindowFixture.h"

#include <algorithm>
#include <functional>

namespace qntcalc::testing {
namespace {

using ModeTest = WindowTest;

TEST_F(ModeTest, StandardModeKeepsOneStructurePart) {
    struct Row {
        const char* name;
        bool routers, repeaters, dropLines;
        bool keptRouters, keptRepeaters, keptDropLines;
    };
    for (const Row& row : {Row{"AllThree", true, true, true, true, false, false},
                           Row{"RepeatersAndDropLines", false, true, true, false, true, false},
                           Row{"DropLinesOnly", false, false, true, false, false, true}}) {
        f().Expert.Click();
        f().CB_Routers.SetChecked(row.routers);
        f().CB_Repeaters.SetChecked(row.repeaters);
        f().CB_DropLines.SetChecked(row.dropLines);
        f().Standard.Click();
        EXPECT_TRUE(f().Standard.Checked()) << row.name;
        EXPECT_EQ(f().CB_Routers.Checked(), row.keptRouters) << row.name;
        EXPECT_EQ(f().CB_Repeaters.Checked(), row.keptRepeaters) << row.name;
        EXPECT_EQ(f().CB_DropLines.Checked(), row.keptDropLines) << row.name;
    }
}

TEST_F(ModeTest, TickingAStructureBoxInStandardModeUnticksTheOthers) {
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "2");
    f().PageControl1.UserSelectPage(static_cast<int>(Page::Routers));
    f().CB_DropLines.SetChecked(true);
    EXPECT_FALSE(f().CB_Routers.Checked());
    EXPECT_FALSE(TabShown(Page::Routers));
    EXPECT_TRUE(TabShown(Page::DropLines));
    EXPECT_EQ(f().Ed_NumRouters.Text(), "0");
    EXPECT_EQ(f().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network));
}

TEST_F(ModeTest, ExpertModeAllowsAnyCombination) {
    f().Expert.Click();
    f().CB_Routers.SetChecked(true);
    f().CB_Repeaters.SetChecked(true);
    f().CB_DropLines.SetChecked(true);
    EXPECT_TRUE(f().CB_Routers.Checked() && f().CB_Repeaters.Checked() &&
                f().CB_DropLines.Checked());
    EXPECT_TRUE(TabShown(Page::Routers) && TabShown(Page::Repeaters) && TabShown(Page::DropLines));
}

TEST_F(ModeTest, BaudRateModeForcesCountsAndHidesPages) {
    // From values that differ from the forced ones.
    f().Expert.Click();
    f().CB_Routers.SetChecked(true);
    f().CB_CVeskManual.SetChecked(true);
    f().RB_Vesk1.SetChecked(true);
    Type(f().Ed_NumIOD, "20");
    Type(f().Ed_NumInpCycl, "3");
    Type(f().Ed_NumOutCycl, "2");
    Type(f().Ed_LoadFact, "40");
    f().Baudratemode.Click();
    for (Page page : {Page::Devices, Page::Inputs, Page::Outputs, Page::Routers})
        EXPECT_FALSE(TabShown(page)) << static_cast<int>(page);
    EXPECT_FALSE(f().CB_Routers.Visible());
    EXPECT_FALSE(f().CB_Routers.Checked());
    for (auto [edit, text] : {std::pair{&f().Ed_NumIOD, "1"},
                              {&f().Ed_NumVesk, "1"},
                              {&f().Ed_NumInp, "1"},
                              {&f().Ed_NumInpCycl, "0"},
                              {&f().Ed_NumOut, "1"},
                              {&f().Ed_NumOutCycl, "0"},
                              {&f().Ed_LoadFact, "5"}})
        EXPECT_EQ(edit->Text(), text) << edit->Name();
    EXPECT_TRUE(f().Ed_Baud.Visible());
    EXPECT_TRUE(f().Label1.Visible());
    for (const Control* hidden : std::initializer_list<const Control*>{
             &f().Ed_BaudLong, &f().Ed_Rmax, &f().Ed_Alarm, &f().Ed_ETO, &f().Ed_CTO,
             &f().Ed_RouterCorrRes, &f().Ed_CVesk, &f().Label13, &f().Label42})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
    EXPECT_TRUE(f().RB_Vesk3.Checked());
    EXPECT_FALSE(f().RB_Vesk1.Checked());
    EXPECT_FALSE(f().CB_CVeskManual.Checked());
    EXPECT_TRUE(f().RB_Main.Checked());
}

// A mode that forced inputs gives each back when it ends, with what that
// forcing reset in turn: the router inputs, the cycle times, the typed
// cycle time. Through both forcing modes too.
TEST_F(ModeTest, LeavingAModeGivesBackWhatItForced) {
    const auto devices = [](TMasterForm& f) {
        for (auto [edit, text] : {std::pair{&C::Ed_NumIOD, "24"},
                                  {&C::Ed_NumVesk, "2"},
                                  {&C::Ed_NumInp, "420"},
                                  {&C::Ed_NumInpCycl, "8"},
                                  {&C::Ed_InpCycl, "50"},
                                  {&C::Ed_NumOut, "260"},
                                  {&C::Ed_NumOutCycl, "2"},
                                  {&C::Ed_OutCycl, "40"}})
            testing::Type(f, edit, text);
        f.CB_Routers.SetChecked(true);
        testing::Type(f, &C::Ed_NumRouters, "2");
        f.CB_RouterType.UserSelect(3);
        testing::Type(f, &C::Ed_LongSeg, "200");
        testing::Type(f, &C::Ed_MDSeg, "100");
    };
    const auto expert = [&devices](TMasterForm& f) {
        f.Expert.Click();
        devices(f);
        testing::Type(f, &C::Ed_LoadFact, "40");
        f.RB_Vesk1.SetChecked(true);
        f.CB_CVeskManual.SetChecked(true);
        testing::Type(f, &C::Ed_CVesk, "20");
    };
    const auto preselectedRate = [](TMasterForm& f) {
        f.Expert.Click();
        f.RB_Baud.SetChecked(true);
        testing::Type(f, &C::Ed_MainBaud, "250");
    };
    struct Row {
        const char* name;
        std::function<void(TMasterForm&)> setup;
        std::vector<MenuItem C::*> through;
    };
    for (const Row& row : {
             Row{"StandardBaudRateStandard", devices, {&C::Baudratemode}},
             Row{"ExpertStandardExpert", expert, {&C::Standard}},
             Row{"ExpertBaudRateExpert", expert, {&C::Baudratemode}},
             Row{"ExpertStandardBaudRateExpert", expert, {&C::Standard, &C::Baudratemode}},
             Row{"ExpertBaudRateStandardExpert", expert, {&C::Baudratemode, &C::Standard}},
             Row{"PreselectedRateStandardExpert", preselectedRate, {&C::Standard}},
         }) {
        SCOPED_TRACE(row.name);
        NewWindow().Recalculate();
        row.setup(f());
        const std::string before = ProjectContent(f());
        const int32_t rmax = f().State().Rmax;
        MenuItem& back = f().Expert.Checked() ? f().Expert : f().Standard;
        for (MenuItem C::*mode : row.through) {
            (f().*mode).Click();
            EXPECT_NE(ProjectContent(f()), before);
        }
        back.Click();
        EXPECT_EQ(ProjectContent(f()), before);
        EXPECT_EQ(f().State().Rmax, rmax);
    }
}

// While the mode lasts it forces as ever; a project read in it keeps what
// it was saved with, and has nothing of the window before to give back.
TEST_F(ModeTest, AReadProjectHasNothingToGiveBack) {
    Type(f().Ed_NumIOD, "24");
    f().Baudratemode.Click();
    Type(f().Ed_Mainpath, "200");
    EXPECT_EQ(f().Ed_NumIOD.Text(), "1");
    ASSERT_TRUE(WriteSettingsToFile(f(), globals, Path("baud.ini")).Ok());
    NewWindow().Recalculate();
    Type(f().Ed_NumIOD, "30");
    ASSERT_TRUE(ReadSettingsFromFile(f(), Path("baud.ini")).Ok());
    f().Standard.Click();
    EXPECT_EQ(f().Ed_NumIOD.Text(), "1");
    EXPECT_EQ(f().Ed_Mainpath.Text(), "200");
}

// Back and forth through the modes, so that no control passes merely by
// keeping the visibility it started with.
TEST_F(ModeTest, EachModeShowsItsControls) {
    struct Row {
        const char* name;
        MenuItem C::*mode;
        bool results, expert, leerBaud;
    };
    for (const Row& row : {Row{"Expert", &C::Expert, true, true, true},
                           Row{"BaudRate", &C::Baudratemode, false, false, false},
                           Row{"Standard", &C::Standard, true, false, false},
                           Row{"ExpertAgain", &C::Expert, true, true, true}}) {
        (f().*row.mode).Click();
        for (const Control* shown : std::initializer_list<const Control*>{
                 &f().Label13,  &f().Label30,     &f().Label9,    &f().Label11,
                 &f().Label5,   &f().Label14,     &f().Label39,   &f().Label35,
                 &f().Label10,  &f().Label12,     &f().Label6,    &f().Label40,
                 &f().Label47,  &f().Label48,     &f().Label42,   &f().Ed_Rmax,
                 &f().Ed_Alarm, &f().Ed_ETO,      &f().Ed_CTO,    &f().Ed_RouterCorrRes,
                 &f().Ed_CVesk, &f().Ed_BaudLong, &f().CB_Routers})
            EXPECT_EQ(shown->Visible(), row.results) << row.name << ' ' << shown->Name();
        for (const Control* shown : std::initializer_list<const Control*>{
                 &f().RB_Vesk1, &f().RB_Vesk3, &f().Ed_LoadFact, &f().Label4, &f().Label3,
                 &f().CB_CVeskManual, &f().RB_Main, &f().RB_Baud, &f().Ed_MainBaud, &f().LBL_Baud,
                 &f().LBL_Baud2})
            EXPECT_EQ(shown->Visible(), row.expert) << row.name << ' ' << shown->Name();
        EXPECT_EQ(f().Ed_LeerBaud.Visible(), row.leerBaud) << row.name;
    }
}

TEST_F(ModeTest, UntickedStructureBoxesZeroTheirInputs) {
    f().Expert.Click();
    f().CB_Repeaters.SetChecked(true);
    f().CB_DropLines.SetChecked(true);
    Type(f().Ed_NumRepeater, "2");
    Type(f().Ed_DropTot, "20");
    Type(f().Ed_DropMax, "5");
    f().CB_DropLines.SetChecked(false);
    EXPECT_EQ(f().Ed_DropMax.Text(), "0");
    EXPECT_EQ(f().Ed_DropTot.Text(), "0");
    EXPECT_EQ(f().Ed_NumRepeater.Text(), "2");
    f().CB_Repeaters.SetChecked(false);
    EXPECT_EQ(f().Ed_NumRepeater.Text(), "0");
}

TEST_F(ModeTest, BaudRateModeUndoesEditsOfForcedFields) {
    f().Baudratemode.Click();
    Type(f().Ed_NumIOD, "20");
    EXPECT_EQ(f().Ed_NumIOD.Text(), "1");
}

TEST_F(ModeTest, PreselectedRateInExpertMode) {
    f().Expert.Click();
    f().CB_Routers.SetChecked(true);
    f().CB_DropLines.SetChecked(true);
    f().RB_Baud.SetChecked(true);
    EXPECT_FALSE(f().CB_Routers.Checked() || f().CB_Repeaters.Checked() ||
                 f().CB_DropLines.Checked());
    EXPECT_FALSE(f().GB_Structure.Visible());
    EXPECT_FALSE(TabShown(Page::Routers) || TabShown(Page::DropLines));
    EXPECT_FALSE(f().Ed_Mainpath.Enabled());
    EXPECT_TRUE(f().Ed_LeerMain.Visible());
    EXPECT_FALSE(f().Ed_LeerBaud.Visible());
    EXPECT_TRUE(f().Ed_MainBaud.Enabled());

    f().RB_Main.SetChecked(true);
    EXPECT_TRUE(f().Ed_LeerBaud.Visible()) << "covers the unused rate field in Expert mode";
    EXPECT_FALSE(f().Ed_LeerMain.Visible());
}

TEST_F(ModeTest, StandardModeForcesExpertInputs) {
    f().Expert.Click();
    EXPECT_TRUE(f().Ed_LoadFact.Visible());
    Type(f().Ed_LoadFact, "40");
    f().RB_Vesk1.SetChecked(true);
    f().CB_CVeskManual.SetChecked(true);
    f().Standard.Click();
    EXPECT_EQ(f().Ed_LoadFact.Text(), "5");
    EXPECT_TRUE(f().RB_Vesk3.Checked());
    EXPECT_FALSE(f().CB_CVeskManual.Checked());
    EXPECT_FALSE(f().Ed_LoadFact.Visible());
    EXPECT_TRUE(f().Ed_CVesk.ReadOnly());
}

TEST_F(ModeTest, CyclicCountsEnableTheirCycleTimes) {
    Type(f().Ed_NumInpCycl, "3");
    Type(f().Ed_InpCycl, "20");
    EXPECT_TRUE(f().Ed_InpCycl.Enabled());
    Type(f().Ed_NumInpCycl, "0");
    EXPECT_FALSE(f().Ed_InpCycl.Enabled());
    EXPECT_EQ(f().Ed_InpCycl.Text(), "0");
    Type(f().Ed_NumInpCycl, "3");
    EXPECT_TRUE(f().Ed_InpCycl.Enabled());
    EXPECT_EQ(f().Ed_InpCycl.Text(), "0");
    EXPECT_EQ(Status(), texts::kInputsTooFast);

    Type(f().Ed_NumOutCycl, "0");
    EXPECT_FALSE(f().Ed_OutCycl.Enabled());
    EXPECT_EQ(f().Ed_OutCycl.Text(), "0");
}

TEST_F(ModeTest, NoRoutersResetsTypeSegmentsAndCorrection) {
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "3");
    f().CB_RouterType.UserSelect(5);
    Type(f().Ed_MDSeg, "100");
    Type(f().Ed_LongSeg, "200");
    EXPECT_EQ(f().Ed_RouterCorr.Text(), "40");
    EXPECT_FALSE(f().Ed_RouterCorr.Enabled());

    Type(f().Ed_NumRouters, "0");
    EXPECT_EQ(f().CB_RouterType.ItemIndex(), 0);
    EXPECT_FALSE(f().CB_RouterType.Enabled());
    for (EditField* edit : {&f().Ed_RouterCorr, &f().Ed_LongSeg, &f().Ed_MDSeg}) {
        EXPECT_EQ(edit->Text(), "0") << edit->Name();
        EXPECT_FALSE(edit->Enabled()) << edit->Name();
    }
}

TEST_F(ModeTest, ManualRouterTimeIsEnabledAndKept) {
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "2");
    Type(f().Ed_MDSeg, "100");
    Type(f().Ed_LongSeg, "100");
    f().CB_RouterType.UserSelect(kRouterManualTime);
    EXPECT_TRUE(f().Ed_RouterCorr.Enabled());
    Type(f().Ed_RouterCorr, "12");
    EXPECT_EQ(f().Ed_RouterCorr.Text(), "12");
    EXPECT_EQ(f().Ed_RouterCorrRes.Text(), "24");

    f().CB_RouterType.UserSelect(1);
    EXPECT_FALSE(f().Ed_RouterCorr.Enabled());
    EXPECT_EQ(f().Ed_RouterCorr.Text(), "2");
}

TEST_F(ModeTest, ManualRepeaterLengthEnablesItsField) {
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "1");
    EXPECT_FALSE(f().Ed_LRepeater.Enabled());
    f().CB_RepeaterType.UserSelect(kRepeaterManualLength);
    EXPECT_TRUE(f().Ed_LRepeater.Enabled());
    Type(f().Ed_LRepeater, "300");
    EXPECT_EQ(f().Ed_Baud.Text(), "125");
    f().CB_RepeaterType.UserSelect(2);
    EXPECT_FALSE(f().Ed_LRepeater.Enabled());
    EXPECT_EQ(f().Ed_LRepeater.Text(), "50");
}

TEST_F(ModeTest, NoRepeatersResetTypeAndLength) {
    f().Expert.Click();
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "1");
    f().CB_RepeaterType.UserSelect(kRepeaterManualLength);
    Type(f().Ed_LRepeater, "300");
    // A preselected rate unticks the box and runs no rate selection, which
    // would otherwise replace the length by the table value itself.
    f().RB_Baud.SetChecked(true);
    EXPECT_EQ(f().Ed_NumRepeater.Text(), "0");
    EXPECT_EQ(f().CB_RepeaterType.ItemIndex(), 0);
    EXPECT_FALSE(f().CB_RepeaterType.Enabled());
    EXPECT_EQ(f().Ed_LRepeater.Text(), "0");
    EXPECT_FALSE(f().Ed_LRepeater.Enabled());
}

TEST_F(ModeTest, CycleTimeIsEditableOnlyInExpertMode) {
    EXPECT_TRUE(f().Ed_CVesk.ReadOnly());
    f().Expert.Click();
    EXPECT_FALSE(f().Ed_CVesk.ReadOnly());
    f().Baudratemode.Click();
    EXPECT_TRUE(f().Ed_CVesk.ReadOnly());
}

TEST_F(ModeTest, NoModeSelectedShowsStandardControlsForcingNothing) {
    f().Expert.Click();
    f().RB_Vesk1.SetChecked(true);
    f().Expert.SetChecked(false); // as reading a file with all mode keys false does
    f().Recalculate();
    EXPECT_TRUE(f().RB_Vesk1.Checked());
    EXPECT_FALSE(f().RB_Vesk1.Visible());
    EXPECT_TRUE(TabShown(Page::Devices));
    EXPECT_TRUE(f().Ed_Rmax.Visible());
    EXPECT_EQ(f().Ed_CVesk.Text(), "25");
}

// The one rule behind --set and the What-if inputs: what the window lets a
// user change now, among the controls a user sets besides the counts.
TEST_F(ModeTest, UserCanChangeWhatTheWindowOffers) {
    struct Row {
        const char* name;
        std::function<void()> setup;
        std::vector<std::string> changeable;
    };
    const auto routers = [this](const char* count, int type) {
        f().CB_Routers.SetChecked(true);
        Type(f().Ed_NumRouters, count);
        f().CB_RouterType.UserSelect(type);
    };
    const std::vector<std::string> boxes{"Ed_Project", "CB_Routers", "CB_Repeaters",
                                         "CB_DropLines"};
    const auto with = [](std::vector<std::string> names, std::vector<std::string> more) {
        names.insert(names.end(), more.begin(), more.end());
        return names;
    };
    const std::vector<std::string> expertResults{"RB_Main",  "RB_Baud",  "RB_Vesk1",
                                                 "RB_Vesk3", "Ed_CVesk", "CB_CVeskManual"};
    const Row rows[] = {
        {"Standard", [] {}, boxes},
        // The list is shown, but disabled until routers are counted.
        {"RoutersNotCounted", [&] { routers("0", 0); }, boxes},
        {"RoutersOfATableType", [&] { routers("2", 5); }, with(boxes, {"CB_RouterType"})},
        {"RoutersTimedByHand", [&] { routers("2", kRouterManualTime); },
         with(boxes, {"CB_RouterType", "Ed_RouterCorr"})},
        {"RepeatersCounted",
         [this] {
             f().CB_Repeaters.SetChecked(true);
             Type(f().Ed_NumRepeater, "1");
         },
         with(boxes, {"CB_RepeaterType"})},
        {"Expert", [this] { f().Expert.Click(); }, with(boxes, expertResults)},
        // The structure group is hidden with the boxes in it.
        {"ExpertPreselectedRate",
         [this] {
             f().Expert.Click();
             f().RB_Baud.SetChecked(true);
         },
         with({"Ed_Project", "Ed_MainBaud"}, expertResults)},
        // An error hides the Results page with the cycle time and its box.
        {"ExpertErrorHidesResults",
         [this] {
             f().Expert.Click();
             Type(f().Ed_NumVesk, "0");
         },
         with(boxes, {"RB_Main", "RB_Baud", "RB_Vesk1", "RB_Vesk3"})},
        {"BaudRateMode",
         [this] { f().Baudratemode.Click(); },
         {"Ed_Project", "CB_Repeaters", "CB_DropLines"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NewWindow().Recalculate();
        row.setup();
        std::vector<std::string> changeable;
        for (const Control* control : std::initializer_list<const Control*>{
                 &f().Ed_Project, &f().CB_Routers, &f().CB_Repeaters, &f().CB_DropLines,
                 &f().RB_Main, &f().RB_Baud, &f().Ed_MainBaud, &f().CB_RouterType,
                 &f().Ed_RouterCorr, &f().CB_RepeaterType, &f().RB_Vesk1, &f().RB_Vesk3,
                 &f().Ed_CVesk, &f().CB_CVeskManual, &f().Ed_Baud}) {
            if (f().UserCanChange(*control))
                changeable.push_back(control->Name());
        }
        std::vector<std::string> expected = row.changeable;
        std::sort(expected.begin(), expected.end());
        std::sort(changeable.begin(), changeable.end());
        EXPECT_EQ(changeable, expected);
    }
}

} // namespace
} // namespace qntcalc::testing
