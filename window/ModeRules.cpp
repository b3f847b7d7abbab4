#include "engine/RateModel.h"
#include "window/MasterForm.h"

#include <algorithm>
#include <variant>
#include <vector>

// The operating modes, the structure pages and the enabling of inputs that
// depend on the entered counts. Re-applied at the start of every calculation,
// so a user's edit of a forced field is undone at once.
namespace qntcalc {

namespace {

using C = MasterFormControls;

// What each mode forces, with what that forcing resets in turn: the typed
// cycle time once the manual box is unticked, the router inputs once the
// Routers box is, a cycle time once its count is 0.
constexpr ModeSlot kStandardForces[] = {&C::Ed_LoadFact, &C::CB_CVeskManual, &C::Ed_CVesk,
                                        &C::cpuKind, &C::rateSource};
constexpr ModeSlot kBaudRateForces[] = {
    &C::Ed_LoadFact,   &C::CB_CVeskManual, &C::Ed_CVesk,     &C::CB_Routers,    &C::Ed_NumRouters,
    &C::CB_RouterType, &C::Ed_RouterCorr,  &C::Ed_LongSeg,   &C::Ed_MDSeg,      &C::Ed_NumIOD,
    &C::Ed_NumVesk,    &C::Ed_NumInp,      &C::Ed_NumInpCycl, &C::Ed_InpCycl,   &C::Ed_NumOut,
    &C::Ed_NumOutCycl, &C::Ed_OutCycl,     &C::cpuKind,      &C::rateSource};

int SelectedPlace(const RadioGroup& group) {
    const std::vector<RadioButton*>& buttons = group.Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->Checked())
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

void TMasterForm::GiveBackAndTake(std::span<const ModeSlot> forced) {
    const auto isForced = [forced](const ModeSlot& slot) {
        return std::find(forced.begin(), forced.end(), slot) != forced.end();
    };
    // The boxes, lists and buttons first: a field given back after its box
    // is not reset again by the box's handler.
    std::vector<TakenInput> kept;
    std::vector<TakenInput> fields;
    for (TakenInput& taken : takenByMode_) {
        if (isForced(taken.slot))
            kept.push_back(std::move(taken));
        else if (std::holds_alternative<EditField C::*>(taken.slot))
            fields.push_back(std::move(taken));
        else
            std::visit(Overloaded{[&](EditField C::*) {},
                                  [&](CheckBox C::*box) { (this->*box).SetChecked(taken.value); },
                                  [&](ComboBox C::*list) { (this->*list).SetItemIndex(taken.value); },
                                  [&](RadioGroup C::*group) {
                                      const std::vector<RadioButton*>& buttons =
                                          (this->*group).Buttons();
                                      if (taken.value >= 0)
                                          buttons[static_cast<std::size_t>(taken.value)]
                                              ->SetChecked(true);
                                      else
                                          for (RadioButton* button : buttons)
                                              button->SetChecked(false);
                                  }},
                       taken.slot);
    }
    for (const TakenInput& taken : fields)
        (this->*std::get<EditField C::*>(taken.slot)).SetText(taken.text);
    takenByMode_ = std::move(kept);

    for (const ModeSlot& slot : forced) {
        const bool noted = std::any_of(takenByMode_.begin(), takenByMode_.end(),
                                       [&slot](const TakenInput& t) { return t.slot == slot; });
        if (noted)
            continue;
        TakenInput taken{slot, {}, 0};
        std::visit(Overloaded{[&](EditField C::*edit) { taken.text = (this->*edit).Text(); },
                              [&](CheckBox C::*box) { taken.value = (this->*box).Checked(); },
                              [&](ComboBox C::*list) { taken.value = (this->*list).ItemIndex(); },
                              [&](RadioGroup C::*group) {
                                  taken.value = SelectedPlace(this->*group);
                              }},
                   slot);
        takenByMode_.push_back(std::move(taken));
    }
}

void TMasterForm::ModeSetting() {
    if (Baudratemode.Checked())
        GiveBackAndTake(kBaudRateForces);
    else if (Standard.Checked())
        GiveBackAndTake(kStandardForces);
    else
        GiveBackAndTake({});

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
