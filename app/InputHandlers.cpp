#include "app/AppTexts.h"
#include "app/MasterForm.h"
#include "engine/Int32.h"

// What the input controls do when they get the focus, change or are clicked.
namespace qntcalc {

namespace {

// Restores a pointer when the scope ends, also on exceptions.
class ScopedRestore {
public:
    ScopedRestore(const EditField*& slot, const EditField* value) : slot_(slot), old_(slot) {
        slot_ = value;
    }
    ~ScopedRestore() { slot_ = old_; }
    ScopedRestore(const ScopedRestore&) = delete;
    ScopedRestore& operator=(const ScopedRestore&) = delete;

private:
    const EditField*& slot_;
    const EditField* old_;
};

} // namespace

// The numeric inputs, each with the check its change handler runs and the
// state field it stores. Ed_MainBaud has a rule of its own.
struct TMasterForm::CheckedField {
    enum class Bound { GreaterZero, GreaterEqualZero };

    EditField MasterFormControls::*edit;
    Field field;
    Bound bound;
};

namespace {

using F = Field;
using C = MasterFormControls;
using Bound = TMasterForm::CheckedField::Bound;

constexpr std::array kCheckedFields{
    TMasterForm::CheckedField{&C::Ed_Mainpath, F::Mainpath, Bound::GreaterZero},
    TMasterForm::CheckedField{&C::Ed_NumIOD, F::NumIOD, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumVesk, F::NumVesk, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_LoadFact, F::LoadFact, Bound::GreaterZero},
    TMasterForm::CheckedField{&C::Ed_NumInp, F::NumInp, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumInpCycl, F::NumInpCycl, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_InpCycl, F::InpCycl, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumOut, F::NumOut, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumOutCycl, F::NumOutCycl, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_OutCycl, F::OutCycl, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumRouters, F::NumRouters, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_RouterCorr, F::RouterCorr, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_LongSeg, F::LongSeg, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_MDSeg, F::MDSeg, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_NumRepeater, F::NumRepeater, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_LRepeater, F::LRepeater, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_DropMax, F::DropMax, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_DropTot, F::DropTot, Bound::GreaterEqualZero},
    TMasterForm::CheckedField{&C::Ed_CVesk, F::CVesk, Bound::GreaterZero},
};

constexpr int32_t kDirectRateDefault = 500; // kBits/s, for an unreadable preselected rate

} // namespace

void TMasterForm::BindHandlers() {
    for (const CheckedField& checked : kCheckedFields) {
        EditField& edit = this->*checked.edit;
        edit.OnEnter = [this, &edit] { savedText_ = edit.Text(); };
        edit.OnChange = [this, &checked] { CheckedChange(checked); };
    }
    Ed_MainBaud.OnEnter = [this] { savedText_ = Ed_MainBaud.Text(); };
    Ed_MainBaud.OnChange = [this] { Ed_MainBaudChange(); };
    // The placeholders share the handlers of the fields they cover.
    Ed_LeerMain.OnEnter = Ed_Mainpath.OnEnter;
    Ed_LeerMain.OnChange = Ed_Mainpath.OnChange;
    Ed_LeerBaud.OnEnter = Ed_MainBaud.OnEnter;
    Ed_LeerBaud.OnChange = Ed_MainBaud.OnChange;

    CB_RouterType.OnChange = [this] { CB_GenearlChange(); };
    CB_RepeaterType.OnChange = [this] { CB_GenearlChange(); };
    RB_Main.OnClick = [this] { RB_MainClick(); };
    RB_Baud.OnClick = [this] { RB_BaudClick(); };
    RB_Vesk1.OnClick = [this] { RB_Vesk1Click(); };
    RB_Vesk3.OnClick = [this] { RB_Vesk3Click(); };
    CB_CVeskManual.OnClick = [this] { CB_CVeskManualClick(); };
    CB_CVeskManual.OnExit = [this] { CB_CVeskManualClick(); };
    CB_Routers.OnClick = [this] { CB_RoutersClick(); };
    CB_Repeaters.OnClick = [this] { CB_RepeatersClick(); };
    CB_DropLines.OnClick = [this] { CB_DropLinesClick(); };
}

int32_t TMasterForm::CheckGreaterZero(EditField& edit) {
    return CheckValue(edit, 1, texts::kGreaterZero);
}

int32_t TMasterForm::CheckGreaterEqualZero(EditField& edit) {
    return CheckValue(edit, 0, texts::kGreaterEqualZero);
}

int32_t TMasterForm::LowestAccepted(Field field) {
    for (const CheckedField& checked : kCheckedFields) {
        if (checked.field == field)
            return checked.bound == Bound::GreaterZero ? 1 : 0;
    }
    return std::numeric_limits<int32_t>::min();
}

int32_t TMasterForm::CheckValue(EditField& edit, int32_t bound, std::string_view message) {
    int32_t n = i32::ParseOr(edit.Text(), 0);
    if (n < bound) {
        if (restoring_ == &edit) {
            // Our own restore was rejected as well: settle on the lowest
            // accepted value instead of asking again and again.
            n = bound;
        } else {
            ScopedRestore refusing(refusing_, &edit);
            if (!quiet_)
                messages_.Show(message, texts::kValueErrorCaption, MessageKind::Warning);
            ScopedRestore restoring(restoring_, &edit);
            edit.SetText(savedText_);
            n = i32::ParseOr(edit.Text(), 0);
            if (n < bound)
                n = bound;
        }
    }
    ScopedRestore normalising(restoring_, &edit);
    edit.SetText(i32::ToText(n));
    return n;
}

void TMasterForm::CheckedChange(const CheckedField& checked) {
    EditField& edit = this->*checked.edit;
    const int32_t value =
        checked.bound == Bound::GreaterZero ? CheckGreaterZero(edit) : CheckGreaterEqualZero(edit);
    FieldRef(calc_.State(), checked.field) = value;
    Recalculate();
}

void TMasterForm::Ed_MainBaudChange() {
    if (RB_Baud.Checked())
        calc_.State().MainBaud = i32::ParseOr(Ed_MainBaud.Text(), kDirectRateDefault);
    else
        Ed_MainBaud.SetText({});
    Recalculate();
}

void TMasterForm::CB_CVeskManualClick() {
    Ed_CVesk.SetReadOnly(!CB_CVeskManual.Checked());
    Recalculate();
}

} // namespace qntcalc
