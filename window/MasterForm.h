#pragma once

#include "checks/PlausibilityCheck.h"
#include "checks/ResultPresentation.h"
#include "engine/Calculator.h"
#include "ui/Globals.h"
#include "ui/Platform.h"
#include "window/MasterFormControls.h"
#include "window/ProjectRequirements.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The main window's behaviour, without any GUI toolkit.
//
// From keystroke to status bar: an edit field's text changes -> its value
// check accepts, or rejects with a "Value Error" box and restores the text
// the field had when it got the focus -> the value is stored and
// Recalculate runs: PageSetting (mode forcing, structure pages) -> the 27
// edit fields are read -> InputEnabling -> rates and router correction ->
// the timeout iteration -> ShowResults writes every field back -> the
// plausibility checks -> ShowInfo/ShowError set the status bar, Results tab
// and indicator -> a visible page is kept active. Every program change of a
// control notifies like a user's change, so the calculation's own writes run
// the field handlers again; they store their value but cannot calculate
// while a calculation runs.
namespace qntcalc {

// An input that a mode forces, or that its forcing resets: a field, a box,
// a list or a pair of buttons.
using ModeSlot =
    std::variant<EditField MasterFormControls::*, CheckBox MasterFormControls::*,
                 ComboBox MasterFormControls::*, RadioGroup MasterFormControls::*>;

class TMasterForm : public MasterFormControls, private CalcWindow, private StatusDisplay {
public:
    // `today` is the date in the system's short date format.
    TMasterForm(Globals& globals, MessageBoxes& messages, HelpSystem& help, std::string today);

    TMasterForm(const TMasterForm&) = delete;
    TMasterForm& operator=(const TMasterForm&) = delete;

    void Recalculate() { calc_.Recalculate(); }
    const Calculator& Calc() const { return calc_; }
    const CalcState& State() const { return calc_.State(); }
    // Messages of the last calculation's checks, in order.
    const std::vector<StatusMessage>& LastMessages() const { return lastMessages_; }
    const std::string& SavedText() const { return savedText_; }
    ModeFacts Mode() const;
    // Whether a user can change the control in the window now: the tab of
    // its page and its group box shown, the control shown and enabled, an
    // edit field writable. The one rule behind --set and the What-if inputs.
    bool UserCanChange(const Control& control) const;
    EditField& EditFor(Field field);
    const EditField& EditFor(Field field) const;
    // Whether the field shows its value: shown, and not covered by the
    // empty placeholder of the rate source not in use.
    bool ShowsValue(const EditField& edit) const;

    // Value checks: return the accepted value, after at most one message box.
    int32_t CheckGreaterZero(EditField& edit);
    int32_t CheckGreaterEqualZero(EditField& edit);
    // The smallest value the field's value check lets through; INT32_MIN
    // for a field that has none.
    static int32_t LowestAccepted(Field field);
    // Told of every value a check refuses, with the message its box shows
    // (also while the checks are quiet): the one way to hear of a refusal.
    std::function<void(const EditField& edit, std::string_view message)> OnValueRefused;
    // False while a value check puts a refused value right: its box may be
    // open, with the refused text still in the field.
    bool Settled() const { return refusing_ == nullptr; }

    // While one lives, a refused value is put right as ever but shows no box.
    class QuietChecks {
    public:
        explicit QuietChecks(TMasterForm& form) : form_(form), was_(form.quiet_) {
            form_.quiet_ = true;
        }
        ~QuietChecks() { form_.quiet_ = was_; }
        QuietChecks(const QuietChecks&) = delete;
        QuietChecks& operator=(const QuietChecks&) = delete;

    private:
        TMasterForm& form_;
        bool was_;
    };

    // What the project must meet, and the inputs it keeps as they are.
    const Requirements& Required() const { return required_; }
    // A change by the program (a file read, a command line); the controls'
    // observers hear of it as WindowDataChanged.
    void SetRequirements(const Requirements& required);
    // The same as one action of the user's.
    void UserSetRequirements(const Requirements& required);
    // Types `value` into the input's field as the user would, as one action
    // of its own, whichever field the user is in. False, and nothing
    // changes, while a user cannot type into that field.
    bool UseValue(Field field, int32_t value);

    // Operating modes and input enabling
    // While Baud rate or Standard mode is active it forces inputs; when it
    // ends, each gets back what it held just before the mode first forced
    // it, so a look at another mode costs no input.
    void ModeSetting();
    // What the window holds now is its own, nothing to give back: after a
    // project was read.
    void ForgetModeForcing() { takenByMode_.clear(); }
    void PageSetting() override;
    void InputEnabling(CalcState& state) override;

    // Handlers with behaviour of their own; the checked edit fields share
    // one handler, bound from the field table in the constructor.
    void Ed_MainBaudChange();
    void CB_CVeskManualClick();
    void CB_GenearlChange() { Recalculate(); }
    void RB_MainClick() { Recalculate(); }
    void RB_BaudClick() { Recalculate(); }
    void RB_Vesk1Click() { Recalculate(); }
    void RB_Vesk3Click() { Recalculate(); }
    void StandardClick();
    void ExpertClick();
    void BaudratemodeClick();
    void CB_RoutersClick() { StructureClick(CB_Routers); }
    void CB_RepeatersClick() { StructureClick(CB_Repeaters); }
    void CB_DropLinesClick() { StructureClick(CB_DropLines); }
    void Help2Click();
    // F1 on a control.
    void ContextHelp(const Control& control);

    // Result display
    void ShowResults(CalcState& state) override;

private:
    friend class WindowSnapshot;

    int32_t CheckValue(EditField& edit, int32_t bound, std::string_view message);
    void CheckedChange(const FieldRow& row);
    void StructureClick(CheckBox& clicked);
    void BindHandlers();
    // Gives back every taken input that `forced` no longer holds, and takes
    // note of those it holds for the first time.
    void GiveBackAndTake(std::span<const ModeSlot> forced);

    // CalcWindow
    std::string EditText(Field field) const override;
    Selections ReadSelections() const override;
    int ActivePage() const override { return PageControl1.ActivePageIndex(); }
    bool PageTabVisible(int page) const override { return PageControl1.TabVisible(page); }
    void SetActivePage(int page) override { PageControl1.SetActivePageIndex(page); }

    // StatusDisplay
    void SetStatusText(std::string text) override { SB_Status.SetPanelText(1, std::move(text)); }
    void SetIndicatorText(std::string text) override { SB_Status.SetPanelText(0, std::move(text)); }
    void SetStatusRed(bool red) override;
    void SetResultsTabVisible(bool visible) override;
    int IndicatorMaximum() const override { return BAR_Reaction.Maximum(); }
    void SetIndicatorPosition(int position) override { BAR_Reaction.SetPosition(position); }
    void SetIndicatorMaximum(int maximum) override { BAR_Reaction.SetMaximum(maximum); }
    void SetIndicatorHint(std::string hint) override { BAR_Reaction.SetHint(std::move(hint)); }
    std::string FieldText(Field field) const override { return EditText(field); }

    Globals& globals_;
    MessageBoxes& messages_;
    HelpSystem& help_;
    Calculator calc_;
    std::string savedText_;
    // The field whose rejected value is being restored: its own nested
    // checks must not reject again.
    const EditField* restoring_ = nullptr;
    // The field whose refused value is being put right.
    const EditField* refusing_ = nullptr;
    bool quiet_ = false;
    std::vector<StatusMessage> lastMessages_;
    // An input the active mode forces, with what it held before: a field's
    // text, or a box's tick, a list's index or the place of a pair's
    // selected button (-1: none) in `value`.
    struct TakenInput {
        ModeSlot slot;
        std::string text;
        int value = 0;
    };
    std::vector<TakenInput> takenByMode_;
    Requirements required_;
};

// The main window's own menu items (the modes, Help > Help) on its handlers.
// The program wires them with every other command; a main window without
// the program, as in qntcalc-cli, is wired with this alone.
void WireOwnMenuItems(TMasterForm& form);

} // namespace qntcalc
