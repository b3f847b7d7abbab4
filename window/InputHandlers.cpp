#include "engine/Int32.h"
#include "window/FieldTable.h"
#include "window/MasterForm.h"
#include "window/WindowTexts.h"

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

constexpr int32_t kDirectRateDefault = 500; // kBits/s, for an unreadable preselected rate

} // namespace

void TMasterForm::BindHandlers() {
    for (const FieldRow& row : kFieldRows) {
        if (row.check == ValueCheck::None)
            continue;
        EditField& edit = this->*row.edit;
        edit.OnEnter = [this, &edit] { savedText_ = edit.Text(); };
        if (row.check == ValueCheck::DirectRate)
            edit.OnChange = [this] { Ed_MainBaudChange(); };
        else
            edit.OnChange = [this, &row] { CheckedChange(row); };
    }
    // The placeholders share the handlers of the fields they cover.
    Ed_LeerMain.OnEnter = EditFor(Field::Mainpath).OnEnter;
    Ed_LeerMain.OnChange = EditFor(Field::Mainpath).OnChange;
    Ed_LeerBaud.OnEnter = EditFor(Field::MainBaud).OnEnter;
    Ed_LeerBaud.OnChange = EditFor(Field::MainBaud).OnChange;

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
    switch (RowOf(field).check) {
    case ValueCheck::GreaterZero:
        return 1;
    case ValueCheck::GreaterEqualZero:
        return 0;
    case ValueCheck::None:
    case ValueCheck::DirectRate:
        break;
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
            if (OnValueRefused)
                OnValueRefused(edit, message);
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

void TMasterForm::CheckedChange(const FieldRow& row) {
    EditField& edit = this->*row.edit;
    const int32_t value =
        row.check == ValueCheck::GreaterZero ? CheckGreaterZero(edit) : CheckGreaterEqualZero(edit);
    FieldRef(calc_.State(), row.field) = value;
    Recalculate();
}

void TMasterForm::Ed_MainBaudChange() {
    EditField& rate = EditFor(Field::MainBaud);
    if (RB_Baud.Checked())
        calc_.State().MainBaud = i32::ParseOr(rate.Text(), kDirectRateDefault);
    else
        rate.SetText({});
    Recalculate();
}

void TMasterForm::CB_CVeskManualClick() {
    EditFor(Field::CVesk).SetReadOnly(!CB_CVeskManual.Checked());
    Recalculate();
}

} // namespace qntcalc
