#include "print/PrintForm.h"

#include "checks/StatusTexts.h"
#include "tests/support/WindowFixture.h"

namespace qntcalc::testing {
namespace {

using P = PrintFormControls;

// Sheet fields that always carry the main window's text of the same name.
struct Copied {
    EditField P::*sheet;
    EditField C::*master;
};

const std::vector<Copied> kPlainCopies{
    {&P::Ed_Project, &C::Ed_Project},
    {&P::Ed_NumIOD, &C::Ed_NumIOD},
    {&P::Ed_NumVesk, &C::Ed_NumVesk},
    {&P::Ed_LoadFact, &C::Ed_LoadFact},
    {&P::Ed_NumInp, &C::Ed_NumInp},
    {&P::Ed_NumInpCycl, &C::Ed_NumInpCycl},
    {&P::Ed_InpCycl, &C::Ed_InpCycl},
    {&P::Ed_NumOut, &C::Ed_NumOut},
    {&P::Ed_NumOutCycl, &C::Ed_NumOutCycl},
    {&P::Ed_OutCycl, &C::Ed_OutCycl},
    {&P::Ed_NumRouters, &C::Ed_NumRouters},
    {&P::Ed_RouterCorr, &C::Ed_RouterCorr},
    {&P::Ed_LongSeg, &C::Ed_LongSeg},
    {&P::Ed_MDSeg, &C::Ed_MDSeg},
    {&P::Ed_NumRepeater, &C::Ed_NumRepeater},
    {&P::Ed_LRepeater, &C::Ed_LRepeater},
    {&P::Ed_DropMax, &C::Ed_DropMax},
    {&P::Ed_DropTot, &C::Ed_DropTot},
    {&P::Ed_Baud, &C::Ed_Baud},
    {&P::Ed_BaudLong, &C::Ed_BaudLong},
    {&P::Ed_RouterCorrRes, &C::Ed_RouterCorrRes},
    {&P::Ed_ETO, &C::Ed_ETO},
    {&P::Ed_CTO, &C::Ed_CTO},
    {&P::Ed_Rmax, &C::Ed_Rmax},
    {&P::Ed_Alarm, &C::Ed_Alarm},
    {&P::Ed_CVesk, &C::Ed_CVesk},
};

class NameRecorder : public ControlObserver {
public:
    void ControlChanged(const Control& control) override { changed.push_back(control.Name()); }
    std::vector<std::string> changed;
};

class SheetTest : public WindowTest {
protected:
    void ExpectPlainCopies() {
        for (const Copied& c : kPlainCopies)
            EXPECT_EQ((sheet.*c.sheet).Text(), (f().*c.master).Text()) << (sheet.*c.sheet).Name();
    }

    TPrintForm sheet{*form, "1.3.2.1"};
};

TEST_F(SheetTest, ConstructionCopiesTheMainWindow) {
    ExpectPlainCopies();
    EXPECT_EQ(sheet.Ed_Rmax.Text(), "28");
    EXPECT_EQ(sheet.Ed_Project.Text(), "Project name");
    EXPECT_EQ(sheet.Lbl_Date.Caption(), "07.12.2026");
    EXPECT_EQ(sheet.Ed_Status.Text(), texts::kEstimates);
    EXPECT_EQ(sheet.Ed_RouterType.Text(), "No router selected");
    EXPECT_EQ(sheet.Ed_RepeaterType.Text(), "No repeater selected");
    EXPECT_TRUE(sheet.RB_Vesk3.Checked());
    EXPECT_FALSE(sheet.RB_Vesk1.Checked());
    EXPECT_FALSE(sheet.CB_CVeskManual.Checked());
    EXPECT_EQ(sheet.Lb_Version.Caption(), "Version: 1.3.2.1");
}

TEST_F(SheetTest, ActivationShowsWhatChangedWhileHidden) {
    Type(f().Ed_Project, "Hall 3");
    Type(f().Ed_Mainpath, "2000");
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "2");
    f().CB_RouterType.UserSelect(1);
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "100") << "a hidden sheet is not refreshed";

    sheet.FormActivate();
    ExpectPlainCopies();
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "2000");
    EXPECT_EQ(sheet.Ed_Project.Text(), "Hall 3");
    EXPECT_EQ(sheet.Ed_RouterType.Text(), "Harlen - Vesk QN Router");
    EXPECT_EQ(sheet.Ed_Status.Text(), f().SB_Status.PanelText(1));
    EXPECT_EQ(sheet.Lb_Version.Caption(), "Version: 1.3.2.1");
}

TEST_F(SheetTest, OnlyTheRateSourceInUseCarriesAValue) {
    EXPECT_TRUE(sheet.RB_Main.Checked());
    EXPECT_FALSE(sheet.RB_Baud.Checked());
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "100");
    EXPECT_EQ(sheet.Ed_MainBaud.Text(), "");

    f().Expert.Click();
    f().RB_Baud.SetChecked(true);
    Type(f().Ed_MainBaud, "250");
    sheet.FormActivate();
    EXPECT_FALSE(sheet.RB_Main.Checked());
    EXPECT_TRUE(sheet.RB_Baud.Checked());
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "");
    EXPECT_EQ(sheet.Ed_MainBaud.Text(), "250");

    f().RB_Main.SetChecked(true);
    sheet.FormActivate();
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "100");
    EXPECT_EQ(sheet.Ed_MainBaud.Text(), "") << "the rate typed earlier is not in use";
}

struct TypeRow {
    const char* name;
    int routerIndex;
    int repeaterIndex;
    const char* router;
    const char* repeater;
};

void PrintTo(const TypeRow& row, std::ostream* os) {
    *os << row.name;
}

class TypeTextTest : public SheetTest, public ::testing::WithParamInterface<TypeRow> {};

TEST_P(TypeTextTest, NamesTheSelectedType) {
    const TypeRow& row = GetParam();
    f().CB_RouterType.SetItemIndex(row.routerIndex);
    f().CB_RepeaterType.SetItemIndex(row.repeaterIndex);
    sheet.FormActivate();
    EXPECT_EQ(sheet.Ed_RouterType.Text(), row.router);
    EXPECT_EQ(sheet.Ed_RepeaterType.Text(), row.repeater);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, TypeTextTest,
    ::testing::Values(
        TypeRow{"FirstEntries", 0, 0, "No router selected", "No repeater selected"},
        TypeRow{"VendorEntries", 5, 3, "Brenner Elektronik - Lindat", "Mirato - Raylink"},
        TypeRow{"ManualEntries", 7, 4, "Other - Manual time entry", "Other - Manual length entry"},
        TypeRow{"NoSelection", -1, -1, "", ""}),
    [](const ::testing::TestParamInfo<TypeRow>& info) { return info.param.name; });

TEST_F(SheetTest, BaudRateModeBlanksWhatItDoesNotCompute) {
    f().Baudratemode.Click();
    Type(f().Ed_Project, "Hall 3");
    f().CB_Repeaters.SetChecked(true);
    Type(f().Ed_NumRepeater, "2");
    f().CB_RepeaterType.UserSelect(1);
    f().CB_DropLines.SetChecked(true);
    Type(f().Ed_DropMax, "10");
    Type(f().Ed_DropTot, "20");
    Type(f().Ed_Mainpath, "300");
    sheet.FormActivate();

    for (const EditField* blank :
         {&sheet.Ed_NumIOD,        &sheet.Ed_NumVesk,    &sheet.Ed_RouterType, &sheet.Ed_LoadFact,
          &sheet.Ed_NumOut,        &sheet.Ed_NumOutCycl, &sheet.Ed_OutCycl,    &sheet.Ed_NumInp,
          &sheet.Ed_NumInpCycl,    &sheet.Ed_InpCycl,    &sheet.Ed_RouterCorr, &sheet.Ed_NumRouters,
          &sheet.Ed_RouterCorrRes, &sheet.Ed_ETO,        &sheet.Ed_CTO,        &sheet.Ed_Rmax,
          &sheet.Ed_Alarm,         &sheet.Ed_CVesk,      &sheet.Ed_BaudLong,   &sheet.Ed_MainBaud})
        EXPECT_EQ(blank->Text(), "") << blank->Name();

    EXPECT_EQ(sheet.Ed_Project.Text(), "Hall 3");
    EXPECT_EQ(sheet.Ed_Mainpath.Text(), "300");
    EXPECT_EQ(sheet.Ed_Baud.Text(), "125");
    EXPECT_EQ(sheet.Ed_NumRepeater.Text(), "2");
    EXPECT_EQ(sheet.Ed_RepeaterType.Text(), "Harlen - Vesk QN Kappa-7");
    EXPECT_EQ(sheet.Ed_LRepeater.Text(), "40");
    EXPECT_EQ(sheet.Ed_DropMax.Text(), "10");
    EXPECT_EQ(sheet.Ed_DropTot.Text(), "20");
    EXPECT_EQ(sheet.Ed_LongSeg.Text(), "0");
    EXPECT_EQ(sheet.Ed_MDSeg.Text(), "0");
    EXPECT_EQ(sheet.Lbl_Date.Caption(), "07.12.2026");
    EXPECT_TRUE(sheet.RB_Main.Checked());
    EXPECT_TRUE(sheet.RB_Vesk3.Checked());
    EXPECT_EQ(sheet.Ed_Status.Text(), f().SB_Status.PanelText(1));
    EXPECT_FALSE(sheet.Ed_Status.Text().empty());

    f().Standard.Click();
    sheet.FormActivate();
    ExpectPlainCopies();
    EXPECT_EQ(sheet.Ed_RouterType.Text(), "No router selected");
}

TEST_F(SheetTest, StatusLineCarriesAnError) {
    Type(f().Ed_NumInp, "0");
    Type(f().Ed_NumOut, "0");
    sheet.FormActivate();
    EXPECT_EQ(sheet.Ed_Status.Text(), texts::kNoIO);
    Type(f().Ed_NumOut, "8");
    sheet.FormActivate();
    EXPECT_EQ(sheet.Ed_Status.Text(), texts::kEstimates);
}

TEST_F(SheetTest, NoModeSelectedBlanksNothing) {
    f().Expert.Click();
    f().RB_Vesk1.SetChecked(true);
    f().CB_CVeskManual.SetChecked(true);
    f().Expert.SetChecked(false); // as reading a file with all mode keys false does
    f().Recalculate();
    sheet.FormActivate();
    ExpectPlainCopies();
    EXPECT_FALSE(sheet.Ed_Rmax.Text().empty());
    EXPECT_TRUE(sheet.RB_Vesk1.Checked());
    EXPECT_FALSE(sheet.RB_Vesk3.Checked());
    EXPECT_TRUE(sheet.CB_CVeskManual.Checked());
}

TEST_F(SheetTest, ViewsHearOnlyRealChanges) {
    NameRecorder view;
    sheet.controls.AddObserver(&view);
    sheet.FormActivate();
    EXPECT_TRUE(view.changed.empty());
    Type(f().Ed_Project, "Hall 3");
    sheet.FormActivate();
    EXPECT_EQ(view.changed, std::vector<std::string>{"Ed_Project"});
    sheet.controls.RemoveObserver(&view);
}

TEST_F(SheetTest, NothingOnTheSheetTakesInput) {
    for (const Control* control : sheet.controls.All()) {
        if (dynamic_cast<const EditField*>(control) || dynamic_cast<const RadioButton*>(control) ||
            dynamic_cast<const CheckBox*>(control)) {
            EXPECT_FALSE(control->Enabled()) << control->Name();
        }
    }
    EXPECT_FALSE(sheet.GroupBox1.Enabled());
    EXPECT_TRUE(sheet.Ed_Rmax.ReadOnly());
    EXPECT_TRUE(sheet.Close1.Enabled());
}

// Straight from a file read, before any calculation has normalised a text.
TEST(SheetCopyTest, CopiesCharactersAsTheyAre) {
    MasterFormControls master;
    master.Ed_NumIOD.SetText("007");
    master.Ed_Rmax.SetText("abc");
    master.Ed_Project.SetText("  Hall 3; \"B\" ");
    master.CB_CVeskManual.SetChecked(true);
    TPrintForm sheet(master, "");
    EXPECT_EQ(sheet.Ed_NumIOD.Text(), "007");
    EXPECT_EQ(sheet.Ed_Rmax.Text(), "abc");
    EXPECT_EQ(sheet.Ed_Project.Text(), "  Hall 3; \"B\" ");
    EXPECT_TRUE(sheet.CB_CVeskManual.Checked());
    EXPECT_EQ(sheet.Ed_RouterType.Text(), "") << "an empty type list has no selection";
    EXPECT_EQ(sheet.Lb_Version.Caption(), "Version: ");

    master.Baudratemode.SetChecked(true);
    sheet.FormActivate();
    EXPECT_FALSE(sheet.CB_CVeskManual.Checked());
    EXPECT_EQ(sheet.Ed_NumIOD.Text(), "");
    EXPECT_EQ(sheet.Ed_Project.Text(), "  Hall 3; \"B\" ");
}

} // namespace
} // namespace qntcalc::testing
