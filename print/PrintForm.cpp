#include "print/PrintForm.h"

#include "print/PrintTexts.h"

namespace qntcalc {

namespace {

void Copy(EditField& to, const EditField& from) {
    to.SetText(from.Text());
}

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

    RB_Main.SetChecked(m.RB_Main.Checked());
    RB_Baud.SetChecked(m.RB_Baud.Checked());
    // Only the rate source in use carries a value.
    if (m.RB_Main.Checked()) {
        Copy(Ed_Mainpath, m.Ed_Mainpath);
        Ed_MainBaud.SetText("");
    } else {
        Copy(Ed_MainBaud, m.Ed_MainBaud);
        Ed_Mainpath.SetText("");
    }
    RB_Vesk1.SetChecked(m.RB_Vesk1.Checked());
    RB_Vesk3.SetChecked(m.RB_Vesk3.Checked());
    Copy(Ed_NumIOD, m.Ed_NumIOD);
    Copy(Ed_NumVesk, m.Ed_NumVesk);
    Ed_RouterType.SetText(TypeText(m.CB_RouterType, texts::kNoRouterSelected));
    Ed_RepeaterType.SetText(TypeText(m.CB_RepeaterType, texts::kNoRepeaterSelected));
    CB_CVeskManual.SetChecked(m.CB_CVeskManual.Checked());

    Lbl_Date.SetCaption(m.Lbl_Date.Caption());
    Copy(Ed_Project, m.Ed_Project);
    Copy(Ed_LoadFact, m.Ed_LoadFact);
    Copy(Ed_NumOut, m.Ed_NumOut);
    Copy(Ed_NumOutCycl, m.Ed_NumOutCycl);
    Copy(Ed_OutCycl, m.Ed_OutCycl);
    Copy(Ed_NumInp, m.Ed_NumInp);
    Copy(Ed_NumInpCycl, m.Ed_NumInpCycl);
    Copy(Ed_InpCycl, m.Ed_InpCycl);
    Copy(Ed_RouterCorr, m.Ed_RouterCorr);
    Copy(Ed_LongSeg, m.Ed_LongSeg);
    Copy(Ed_NumRouters, m.Ed_NumRouters);
    Copy(Ed_MDSeg, m.Ed_MDSeg);
    Copy(Ed_LRepeater, m.Ed_LRepeater);
    Copy(Ed_NumRepeater, m.Ed_NumRepeater);
    Copy(Ed_Baud, m.Ed_Baud);
    Copy(Ed_RouterCorrRes, m.Ed_RouterCorrRes);
    Copy(Ed_ETO, m.Ed_ETO);
    Copy(Ed_CTO, m.Ed_CTO);
    Copy(Ed_Rmax, m.Ed_Rmax);
    Copy(Ed_Alarm, m.Ed_Alarm);
    Copy(Ed_CVesk, m.Ed_CVesk);
    Copy(Ed_BaudLong, m.Ed_BaudLong);
    Copy(Ed_DropMax, m.Ed_DropMax);
    Copy(Ed_DropTot, m.Ed_DropTot);
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
