#include "engine/RateModel.h"
#include "window/MasterForm.h"

#include <variant>
#include <vector>

// The operating modes, the structure pages and the enabling of inputs that
// depend on the entered counts. Re-applied at the start of every calculation,
// so a user's edit of a forced field is undone at once.
namespace qntcalc {

void TMasterForm::ModeSetting() {
    // With no mode item selected (read from a file) nothing is forced and
    // the controls show as in Standard mode.
    bool resultsShown = true;
    bool expertShown = false;
    if (Baudratemode.Checked()) {
        Ed_LoadFact.SetText("5");
        CB_CVeskManual.SetChecked(false);
        CB_Routers.SetChecked(false);
        Ed_NumIOD.SetText("1");
        Ed_NumVesk.SetText("1");
        Ed_NumInp.SetText("1");
        Ed_NumInpCycl.SetText("0");
        Ed_NumOut.SetText("1");
        Ed_NumOutCycl.SetText("0");
        RB_Vesk3.SetChecked(true);
        RB_Main.SetChecked(true);
        resultsShown = false;
    } else if (Standard.Checked()) {
        Ed_LoadFact.SetText("5");
        CB_CVeskManual.SetChecked(false);
        RB_Vesk3.SetChecked(true);
        RB_Main.SetChecked(true);
    } else if (Expert.Checked()) {
        expertShown = true;
    }

    Ed_Mainpath.SetEnabled(RB_Main.Checked());
    Ed_MainBaud.SetEnabled(RB_Baud.Checked());
    GB_Structure.SetVisible(RB_Main.Checked());

    if (RB_Baud.Checked()) {
        CB_Routers.SetChecked(false);
        CB_Repeaters.SetChecked(false);
        CB_DropLines.SetChecked(false);
    }

    for (Control* result : std::initializer_list<Control*>{
             &Label13, &Label30,          &Label9,   &Label11,    &Label5,   &Label14,
             &Label39, &Label35,          &Label10,  &Label12,    &Label6,   &Label40,
             &Label47, &Label48,          &Label42,  &Ed_Rmax,    &Ed_Alarm, &Ed_ETO,
             &Ed_CTO,  &Ed_RouterCorrRes, &Ed_CVesk, &Ed_BaudLong})
        result->SetVisible(resultsShown);
    for (Page page : {Page::Devices, Page::Inputs, Page::Outputs})
        PageControl1.SetTabVisible(static_cast<int>(page), resultsShown);
    CB_Routers.SetVisible(resultsShown);

    RB_Vesk1.SetVisible(expertShown);
    RB_Vesk3.SetVisible(expertShown);
    Ed_CVesk.SetReadOnly(!expertShown);
    for (Control* expert :
         std::initializer_list<Control*>{&Ed_LoadFact, &Label4, &Label3, &CB_CVeskManual, &RB_Main,
                                         &RB_Baud, &Ed_MainBaud, &LBL_Baud, &LBL_Baud2})
        expert->SetVisible(expertShown);
}

void TMasterForm::PageSetting() {
    ModeSetting();
    Ed_LeerMain.SetVisible(RB_Baud.Checked());
    Ed_LeerBaud.SetVisible(RB_Main.Checked() && Expert.Checked());

    const auto structurePage = [this](CheckBox& box, Page page,
                                      std::initializer_list<EditField*> zeroed) {
        PageControl1.SetTabVisible(static_cast<int>(page), box.Checked());
        if (!box.Checked()) {
            for (EditField* edit : zeroed)
                edit->SetText("0");
        }
    };
    structurePage(CB_Routers, Page::Routers, {&Ed_NumRouters});
    structurePage(CB_Repeaters, Page::Repeaters, {&Ed_NumRepeater});
    structurePage(CB_DropLines, Page::DropLines, {&Ed_DropMax, &Ed_DropTot});
}

void TMasterForm::InputEnabling(CalcState& state) {
    Ed_InpCycl.SetEnabled(state.NumInpCycl != 0);
    if (state.NumInpCycl == 0)
        state.InpCycl = 0;
    Ed_OutCycl.SetEnabled(state.NumOutCycl != 0);
    if (state.NumOutCycl == 0)
        state.OutCycl = 0;

    if (state.NumRouters != 0) {
        CB_RouterType.SetEnabled(true);
        // Only a manually timed router type takes a typed correction time;
        // for the others the table value replaces it at once.
        Ed_RouterCorr.SetEnabled(CB_RouterType.ItemIndex() == kRouterManualTime);
        Ed_LongSeg.SetEnabled(true);
        Ed_MDSeg.SetEnabled(true);
    } else {
        CB_RouterType.SetItemIndex(0);
        CB_RouterType.SetEnabled(false);
        for (EditField* edit : {&Ed_RouterCorr, &Ed_LongSeg, &Ed_MDSeg}) {
            edit->SetText("0");
            edit->SetEnabled(false);
        }
    }

    if (state.NumRepeater != 0) {
        CB_RepeaterType.SetEnabled(true);
        Ed_LRepeater.SetEnabled(CB_RepeaterType.ItemIndex() == kRepeaterManualLength);
    } else {
        CB_RepeaterType.SetItemIndex(0);
        CB_RepeaterType.SetEnabled(false);
        Ed_LRepeater.SetText("0");
        Ed_LRepeater.SetEnabled(false);
    }
}

bool TMasterForm::UserCanChange(const Control& control) const {
    // A control on a page carries that page's help topic; the project name
    // and the menus lie outside the pages.
    const std::vector<TabSheet>& pages = PageControl1.Pages();
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (pages[page].helpTopic == control.HelpTopic() &&
            !PageControl1.TabVisible(static_cast<int>(page)))
            return false;
    }
    const bool inStructureGroup =
        &control == &CB_Routers || &control == &CB_Repeaters || &control == &CB_DropLines;
    if (inStructureGroup && !GB_Structure.Visible())
        return false;
    if (!control.Visible() || !control.Enabled())
        return false;
    const ConstControlKind kind = control.Kind();
    const auto* edit = std::get_if<const EditField*>(&kind);
    return !edit || !(*edit)->ReadOnly();
}

void TMasterForm::StandardClick() {
    Standard.SetChecked(true);
    // Standard mode shows one structure part at a time: routers win over
    // repeaters, repeaters over drop lines.
    if (CB_Routers.Checked()) {
        CB_Repeaters.SetChecked(false);
        CB_DropLines.SetChecked(false);
    } else if (CB_Repeaters.Checked()) {
        CB_DropLines.SetChecked(false);
    }
    Recalculate();
}

void TMasterForm::ExpertClick() {
    Expert.SetChecked(true);
    Recalculate();
}

void TMasterForm::BaudratemodeClick() {
    Baudratemode.SetChecked(true);
    Recalculate();
}

void WireOwnMenuItems(TMasterForm& form) {
    form.Standard.OnClick = [&form] { form.StandardClick(); };
    form.Expert.OnClick = [&form] { form.ExpertClick(); };
    form.Baudratemode.OnClick = [&form] { form.BaudratemodeClick(); };
    form.Help2.OnClick = [&form] { form.Help2Click(); };
}

void TMasterForm::StructureClick(CheckBox& clicked) {
    if (Standard.Checked() && clicked.Checked()) {
        for (CheckBox* box : {&CB_Routers, &CB_Repeaters, &CB_DropLines}) {
            if (box != &clicked)
                box->SetChecked(false);
        }
    }
    Recalculate();
}

} // namespace qntcalc
