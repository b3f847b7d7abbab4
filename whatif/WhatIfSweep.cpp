#include "whatif/WhatIfSweep.h"


namespace qntcalc {

std::optional<WhatIfAnswer> AnswerWhatIf(const WindowSnapshot& mainWindow,
                                         const WhatIfRequest& request,
                                         const std::function<bool()>& keepGoing) {
    WhatIf whatIf(mainWindow);
    WhatIfAnswer answer;
    answer.generation = request.generation;
    answer.editable = whatIf.EditableInputs();
    if (request.input && whatIf.Editable(*request.input))
        answer.field = request.input;
    else if (!answer.editable.empty())
        answer.field = answer.editable.front();
    if (!answer.field)
        return answer;

    const Field field = *answer.field;
    answer.current = whatIf.CurrentValue(field);
    answer.range = request.range && request.input == field
                       ? ClampRange(request.range->from, request.range->to)
                       : DefaultRange(*FindWhatIfInput(field), answer.current);
    answer.points.reserve(
        static_cast<std::size_t>(int64_t{answer.range.to} - answer.range.from + 1));
    bool complete = true;
    const auto collect = [&](const WhatIfPoint& point, const TMasterForm&) {
        complete = !keepGoing || keepGoing();
        if (complete)
            answer.points.push_back(point);
        return complete;
    };
    // An editable input and a clamped range: nothing for the sweep to refuse.
    static_cast<void>(whatIf.Sweep(field, answer.range.from, answer.range.to, 1, collect));
    if (!complete)
        return std::nullopt;
    return answer;
}

} // namespace qntcalc
