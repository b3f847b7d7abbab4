#include "print/PrintForm.h"

#include "print/PrintTexts.h"
#include "window/FieldTable.h"

namespace qntcalc {

namespace {

// The first entry of a type list only asks the user to choose; the sheet
// says plainly that there is none. No selection at all shows as empty.
std::string TypeText(const ComboBox& types, std::string_view noneSelected) {
    return types.ItemIndex() == 0 ? std::string(noneSelected) : types.Text();
}

} // namespace

TPrintForm::TPrintForm(const MasterFormControls& masterForm, std::string_view programVersion)
    : master_(masterForm) {
    CopyFromMasterForm();
    Lb_Version.SetCaption(std::string(texts::kVersionPrefix) + std::string(programVersion));
}

void TPrintForm::CopyFromMasterForm() {
    const MasterFormControls& m = master_;

    // Every calculation field has its namesake on the sheet; only the rate
    // source in use carries a value.
    const EditField& unusedSource = m.RB_Main.Checked() ? m.Ed_MainBaud : m.Ed_Mainpath;
    for (const FieldRow& row : kFieldRows) {
        const EditField& shown = m.*row.edit;
        std::get<EditField*>(controls.Find(shown.Name())->Kind())
            ->SetText(&shown == &unusedSource ? std::string() : shown.Text());
    }
    RB_Main.SetChecked(m.RB_Main.Checked());
    RB_Baud.SetChecked(m.RB_Baud.Checked());
    RB_Vesk1.SetChecked(m.RB_Vesk1.Checked());
    RB_Vesk3.SetChecked(m.RB_Vesk3.Checked());
    Ed_RouterType.SetText(TypeText(m.CB_RouterType, texts::kNoRouterSelected));
    Ed_RepeaterType.SetText(TypeText(m.CB_RepeaterType, texts::kNoRepeaterSelected));
    CB_CVeskManual.SetChecked(m.CB_CVeskManual.Checked());
    Lbl_Date.SetCaption(m.Lbl_Date.Caption());
    Ed_Project.SetText(m.Ed_Project.Text());
    Ed_Status.SetText(m.SB_Status.PanelText(1));

    // Baud rate mode computes only the transmission rate; the forced device
    // and I/O counts and the results it does not compute would mislead on
    // paper.
    if (m.Baudratemode.Checked()) {
        for (EditField* edit : {&Ed_NumIOD, &Ed_NumVesk, &Ed_RouterType})
            edit->SetText("");
        CB_CVeskManual.SetChecked(false);
        for (EditField* edit :
             {&Ed_LoadFact, &Ed_NumOut, &Ed_NumOutCycl, &Ed_OutCycl, &Ed_NumInp, &Ed_NumInpCycl,
              &Ed_InpCycl, &Ed_RouterCorr, &Ed_NumRouters, &Ed_RouterCorrRes, &Ed_ETO, &Ed_CTO,
              &Ed_Rmax, &Ed_Alarm, &Ed_CVesk, &Ed_BaudLong})
            edit->SetText("");
    }
}

} // namespace qntcalc
