#include "window/MasterForm.h"

#include "engine/Int32.h"
#include "engine/RateModel.h"
#include "window/FieldTable.h"

#include <filesystem>
#include <system_error>

namespace qntcalc {

TMasterForm::TMasterForm(Globals& globals, MessageBoxes& messages, HelpSystem& help,
                         std::string today)
    : globals_(globals), messages_(messages), help_(help), calc_(*this) {
    Lbl_Date.SetCaption(std::move(today));

    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    globals_.StartDir = error ? std::string() : cwd.string();

    CB_RouterType.Clear();
    for (std::string_view name : RouterTypes)
        CB_RouterType.Add(std::string(name));
    CB_RouterType.SetItemIndex(0);
    CB_RepeaterType.Clear();
    for (std::string_view name : RepeaterTypes)
        CB_RepeaterType.Add(std::string(name));
    CB_RepeaterType.SetItemIndex(0);

    BindHandlers();
}

ModeFacts TMasterForm::Mode() const {
    return {Expert.Checked(), Baudratemode.Checked(), RB_Baud.Checked()};
}

EditField& TMasterForm::EditFor(Field field) {
    return this->*RowOf(field).edit;
}

const EditField& TMasterForm::EditFor(Field field) const {
    return this->*RowOf(field).edit;
}

bool TMasterForm::ShowsValue(const EditField& edit) const {
    const bool covered = (&edit == &Ed_Mainpath && Ed_LeerMain.Visible()) ||
                         (&edit == &Ed_MainBaud && Ed_LeerBaud.Visible());
    return edit.Visible() && !covered;
}

std::string TMasterForm::EditText(Field field) const {
    return EditFor(field).Text();
}

Selections TMasterForm::ReadSelections() const {
    Selections s;
    s.routerType = CB_RouterType.ItemIndex();
    s.repeaterType = CB_RepeaterType.ItemIndex();
    s.rateFromStructure = RB_Main.Checked();
    s.cpuOneOrTwo = RB_Vesk1.Checked();
    s.cveskManual = CB_CVeskManual.Checked();
    return s;
}

void TMasterForm::ShowResults(CalcState& state) {
    for (Field field : kAllFields)
        EditFor(field).SetText(i32::ToText(FieldValue(state, field)));
    const ModeFacts mode = Mode();
    lastMessages_ = PlausibilityCheck(state, mode);
    PresentMessages(*this, lastMessages_, mode.baudRateMode, state);
}

void TMasterForm::SetStatusRed(bool red) {
    SB_Status.SetColour(red ? StatusColour::Red : StatusColour::Normal);
}

void TMasterForm::SetResultsTabVisible(bool visible) {
    PageControl1.SetTabVisible(static_cast<int>(Page::Results), visible);
}

void TMasterForm::SetRequirements(const Requirements& required) {
    if (required == required_)
        return;
    required_ = required;
    controls.NotifyWindowData();
}

void TMasterForm::UserSetRequirements(const Requirements& required) {
    controls.NotifyUserAction(MasterForm, true);
    SetRequirements(required);
    controls.NotifyUserAction(MasterForm, false);
}

bool TMasterForm::UseValue(Field field, int32_t value) {
    EditField& edit = EditFor(field);
    if (!UserCanChange(edit))
        return false;
    // The field a user may still be in keeps the text its value check
    // would put back.
    const std::string saved = savedText_;
    edit.Enter();
    edit.SetText(i32::ToText(value));
    edit.Leave();
    savedText_ = saved;
    return true;
}

void TMasterForm::Help2Click() {
    help_.ShowContents();
}

void TMasterForm::ContextHelp(const Control& control) {
    help_.ShowTopic(control.HelpTopic());
}

} // namespace qntcalc
