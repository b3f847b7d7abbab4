#pragma once

#include "whatif/SweepRange.h"
#include "whatif/WhatIf.h"
#include "window/WindowSnapshot.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The What-if window's sweep as a question and its answer, so that it can
// run on any thread from a snapshot of the main window.
namespace qntcalc {

struct WhatIfRequest {
    uint64_t generation = 0;
    std::optional<Field> input;      // the user's choice; none: the first editable
    std::optional<SweepRange> range; // the user's own, for that input only
};

struct WhatIfAnswer {
    uint64_t generation = 0;
    std::vector<Field> editable; // what the main window lets the user type into
    std::optional<Field> field;  // none when that is nothing
    int32_t current = 0;
    SweepRange range;
    std::vector<WhatIfPoint> points; // one per value of the range, ascending
};

// On any thread: the requested input if the main window lets the user type
// into it now, else the first that it does, over the requested range (or
// the default one). Nothing when `keepGoing` stops it before the end.
std::optional<WhatIfAnswer> AnswerWhatIf(const WindowSnapshot& mainWindow,
                                         const WhatIfRequest& request,
                                         const std::function<bool()>& keepGoing);

} // namespace qntcalc
