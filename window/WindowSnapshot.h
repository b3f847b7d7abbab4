#pragma once

#include "base/Result.h"
#include "window/MasterForm.h"

#include <cstddef>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace qntcalc {

// Everything a main window model holds between two events: each control's
// text, tick, selection, list, visibility, enabled and read-only state,
// hint and caption, the pages and the status bar, the indicator, the
// calculation state with its pass count, the last messages, SavedText,
// what the active mode took from the inputs and the project's requirements.
//
// A plain value: take it on the window's thread, restore it into another
// model on any thread. Cheaper than re-reading a project, and it keeps what
// a project does not hold: the page shown, the status bar, SavedText.
//
// Restoring runs no handler, so nothing is checked or calculated; the
// target's observers see each control that changed. Observers, handlers and
// the process-wide texts are not part of it.
class WindowSnapshot {
public:
    explicit WindowSnapshot(const TMasterForm& form);

    // `form` must be a TMasterForm like the one taken (same controls); one
    // with other controls is refused before anything in it changes.
    Result RestoreInto(TMasterForm& form) const;
    // The same for the controls at `changed` (places in its ControlSet)
    // only, and everything besides the controls: for a form this was
    // restored into before, where since then only those changed, the cost
    // is theirs, whatever the others hold (a long project name, say).
    Result RestoreChanged(TMasterForm& form, std::span<const std::size_t> changed) const;

    const CalcState& State() const { return state_; }

private:
    struct LabelState {
        std::string caption;
    };
    struct EditState {
        std::string text;
        bool readOnly;
    };
    struct CheckBoxState {
        bool checked;
    };
    struct RadioState {
        bool checked;
    };
    struct ComboState {
        std::vector<std::string> items;
        int index;
    };
    struct PagesState {
        std::vector<bool> tabVisible;
        int active;
    };
    struct StatusState {
        std::string panel0;
        std::string panel1;
        StatusColour colour;
    };
    struct BarState {
        int position;
        int maximum;
    };
    struct MenuState {
        bool checked;
    };
    using Specific = std::variant<LabelState, EditState, CheckBoxState, RadioState, ComboState,
                                  PagesState, StatusState, BarState, MenuState>;

    struct ControlState {
        std::string name;
        std::string hint;
        bool visible;
        bool enabled;
        Specific specific;
    };

    static Specific Capture(const Control& control);
    static void Restore(Control& control, const ControlState& saved);
    void RestoreForm(TMasterForm& form) const;

    std::vector<ControlState> controls_;
    CalcState state_;
    int lastPassCount_;
    std::vector<StatusMessage> lastMessages_;
    std::string savedText_;
    std::vector<TMasterForm::TakenInput> takenByMode_;
    Requirements required_;
};

} // namespace qntcalc
