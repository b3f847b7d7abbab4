#pragma once

#include "base/Result.h"
#include "window/MasterForm.h"
#include "text/Units.h"
#include "window/WindowSnapshot.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// What if one input had another value? Each value is typed into a private
// copy of the main window, started afresh from the window's current state,
// so every point is exactly what the main window would show if the user
// entered that value now: same value check, same cascade, same iteration
// start. The main window itself is never touched after the snapshot.
namespace qntcalc {

// A numeric input whose what-if can be asked.
struct WhatIfInput {
    Field field;
    Page page;
    std::string_view subject; // of the headroom sentence and the charts: "Main path"
    std::string_view inSentence; // within the sentence of a fix: "main path"
    InputUnit unit;
    int32_t practicalLimit; // as in WhatIfFacts
    bool searchDownwards;
};

// The inputs, in the order the window lists them.
std::span<const WhatIfInput> WhatIfInputs();
const WhatIfInput* FindWhatIfInput(Field field);
// By project key (the field's name), without regard to case.
const WhatIfInput* FindWhatIfInput(std::string_view key);
// Their project keys, in that order: "Mainpath, DropMax, ...".
std::string WhatIfInputKeys();

// Whether a user can type into the input in this window now: the window
// lets its field be changed (TMasterForm::UserCanChange); CVesk only while
// entered by hand, MainBaud only while preselected. The rule for the
// What-if window, --sweep, --headroom, --limits and --set.
bool UserCanType(const TMasterForm& form, const WhatIfInput& input);

// The most values one sweep or headroom search types: keeps a slip of the
// finger from running for hours.
inline constexpr int64_t kMostWhatIfValues = 1'000'000;
// How many values a sweep from `from` to `to` in steps of `step` (>= 1)
// types, whichever way it runs; 64 bits, so no range of int32 can wrap.
int64_t SweepValueCount(int32_t from, int32_t to, int32_t step);

// One value of one input, as the main window would show it.
struct WhatIfPoint {
    int32_t value = 0;
    // The field's value check refused the value: the window shows the box
    // and puts the old text back. Nothing of it is computed, and all the
    // members below but valueErrors stay empty.
    bool rejected = false;
    // Every "Value Error" box that entering the value raised, in order.
    std::vector<std::string> valueErrors;
    // The 27 fields as they show it, indexed by Field.
    std::array<std::string, kFieldCount> fields;
    // The numbers behind them: Baud, ETO, CTO, Rmax, Alarm, CVesk, Stable...
    CalcState state;
    int passes = 0;
    std::vector<StatusMessage> messages; // all checks' messages, in order
    std::string status;                  // the status bar's message
    bool statusError = false;            // red status bar, Results hidden
};

// A private window model that answers what-if questions for one state of
// the main window. Not thread-safe itself, but it shares nothing with the
// main window: take the snapshot on the window's thread, then build and use
// this anywhere. A snapshot of a window with other controls leaves no input
// editable.
class WhatIf : private MessageBoxes, private HelpSystem, private ControlObserver {
public:
    explicit WhatIf(WindowSnapshot current);
    explicit WhatIf(const TMasterForm& current) : WhatIf(WindowSnapshot(current)) {}
    ~WhatIf() override;
    WhatIf(const WhatIf&) = delete;
    WhatIf& operator=(const WhatIf&) = delete;

    // UserCanType in the window this was made from.
    bool Editable(Field field) const;
    std::vector<Field> EditableInputs() const;
    // The value the input's field shows now.
    int32_t CurrentValue(Field field) const;
    // Whether a type list has a type chosen now (not its first item, which
    // asks for one); typing never changes a list.
    bool ListChosen(ComboBox MasterFormControls::*list) const;
    // The list's control name: "CB_RouterType".
    std::string ListName(ComboBox MasterFormControls::*list) const;

    // Enters `value` as one change (as a paste or qntcalc-cli --set does):
    // focus the field, replace its text. NotTypeable for an input not
    // editable.
    Result Evaluate(Field field, int32_t value, WhatIfPoint& point);
    // The same, and then `then` changes the private window further as a
    // user would (chooses a type, say); `point` is the state after both.
    using Change = std::function<void(TMasterForm& form)>;
    Result EvaluateThen(Field field, int32_t value, const Change& then, WhatIfPoint& point);

    // `shown` is the private window while it shows the point; return false
    // to stop.
    using Visitor = std::function<bool(const WhatIfPoint& point, const TMasterForm& shown)>;
    // Every value from `from` towards `to` (down when to < from) in steps of
    // `step`, each from the current state. Refused, with nothing visited,
    // when the input is not editable (NotTypeable), the step is below 1 or
    // the sweep would type more than kMostWhatIfValues values (BadRange).
    Result Sweep(Field field, int32_t from, int32_t to, int32_t step, const Visitor& visit);
    // Whether Sweep would go through these values, without typing any.
    Result CanSweep(Field field, int32_t from, int32_t to, int32_t step) const;
    // The same, collected into `points`.
    Result Sweep(Field field, int32_t from, int32_t to, int32_t step,
                 std::vector<WhatIfPoint>& points);

private:
    Result Type(Field field, int32_t value, WhatIfPoint& point, const Change& then = {});
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override;
    void ShowContents() override {}
    void ShowTopic(int) override {}
    void ControlChanged(const Control& control) override;

    WindowSnapshot current_;
    Globals globals_;
    // Before the form, whose refusals reach them from its constructor on.
    long calculationsBeforeTyping_ = 0;
    bool rejected_ = false;
    std::vector<std::string> refusals_;
    std::unique_ptr<TMasterForm> form_;
    std::vector<Field> editable_;
    std::array<int32_t, kFieldCount> currentValues_{};
    bool pristine_ = true;
    // The private window's controls that changed since it was last put
    // back, by place: only they are put back before the next value, so a
    // value costs what it changes and never the untouched project name.
    std::unordered_map<const Control*, std::size_t> placeOf_;
    std::vector<bool> changed_;
    std::vector<std::size_t> changedPlaces_;
};

} // namespace qntcalc
