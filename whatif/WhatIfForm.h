#pragma once

#include "whatif/Headroom.h"
#include "whatif/Requirements.h"
#include "whatif/SweepRange.h"
#include "whatif/WhatIf.h"
#include "whatif/WhatIfSweep.h"

#include <cstdint>
#include <optional>
#include <string>

// The What-if window without a toolkit: which input it sweeps over which
// range, what is required, and the sweep it shows. The sweep itself runs
// wherever the program likes (off the GUI thread in the Qt program): the
// form says what to compute, AnswerWhatIf computes it from a snapshot of
// the main window, and the form takes only the answer to its latest
// request.
namespace qntcalc {

class WhatIfForm {
public:
    // Every change below that needs a new sweep starts a new generation.
    uint64_t Generation() const { return generation_; }
    WhatIfRequest Request() const { return {generation_, chosen_, range_}; }
    // False, and nothing changes, for an answer to an older request.
    bool Accept(WhatIfAnswer answer);

    // The main window changed: what is shown is out of date.
    void MainWindowChanged() { ++generation_; }
    // Back to the default range around the current value.
    void ChooseInput(Field field);
    // Kept until another input is chosen or ResetRange.
    void SetRange(int32_t from, int32_t to);
    void ResetRange();
    // Judges the shown points again; nothing to compute.
    void SetRequirements(const Requirements& required) { required_ = required; }

    std::optional<Field> ChosenInput() const { return chosen_; }
    const Requirements& Required() const { return required_; }
    // Null before the first answer.
    const WhatIfAnswer* Shown() const { return shown_ ? &*shown_ : nullptr; }
    const WhatIfInput* ShownInput() const;

    // While the shown answer is out of date and the window says so, the
    // headroom says it too instead of describing the old state.
    void SetUpdating(bool updating) { updating_ = updating; }

    // While the shown current value fails: the nearest shown value that
    // meets, which the chart marks.
    std::optional<int32_t> ShownFix() const;

    // The headroom sentence over the shown points, or why there is none.
    std::string HeadroomText() const;
    // The shown point at the whole value nearest to `x`, if there is one.
    const WhatIfPoint* PointAt(double x) const;

private:
    uint64_t generation_ = 1;
    std::optional<Field> chosen_;
    bool choicePending_ = false; // chosen, not answered yet
    std::optional<SweepRange> range_;
    Requirements required_{kDefaultRequiredRmaxMs, std::nullopt, std::nullopt};
    std::optional<WhatIfAnswer> shown_;
    bool updating_ = false;
};

} // namespace qntcalc
