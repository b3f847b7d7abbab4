#pragma once

#include "engine/CalcState.h"
#include "engine/RateModel.h"

#include <string>

namespace qntcalc {

// Everything the calculation needs of the main window. The window model
// implements it; tests and benchmarks stand in with plain values. With the
// window steps doing nothing the engine still computes the given inputs,
// only without the mode forcing and input resets.
class CalcWindow {
public:
    virtual ~CalcWindow() = default;

    // Mode forcing and structure pages; may rewrite input edit fields.
    virtual void PageSetting() = 0;
    virtual std::string EditText(Field field) const = 0;
    // Runs after the inputs are read; may reset fields and type selections.
    virtual void InputEnabling(CalcState& state) = 0;
    virtual Selections ReadSelections() const = 0;
    // Writes the 27 fields back and presents the plausibility checks.
    virtual void ShowResults(CalcState& state) = 0;

    // The page control, for keeping a visible page active. -1: no page.
    virtual int ActivePage() const = 0;
    virtual bool PageTabVisible(int page) const = 0;
    virtual void SetActivePage(int page) = 0;
};

} // namespace qntcalc
