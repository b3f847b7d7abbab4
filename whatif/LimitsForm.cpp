#include "whatif/LimitsForm.h"

namespace qntcalc {

std::optional<LimitsAnswer> AnswerLimits(const WindowSnapshot& mainWindow,
                                         const LimitsRequest& request,
                                         const std::function<bool()>& keepGoing) {
    std::optional<std::vector<InputLimit>> limits =
        FindLimits(mainWindow, request.required, keepGoing);
    if (!limits)
        return std::nullopt;
    return LimitsAnswer{request.generation, request.required, std::move(*limits)};
}

void LimitsForm::Changed(const Requirements& required) {
    required_ = required;
    ++generation_;
}

bool LimitsForm::Accept(LimitsAnswer answer) {
    if (answer.generation != generation_)
        return false;
    shown_ = std::move(answer);
    return true;
}

Field LimitsForm::FieldOf(std::size_t row) const {
    return Row(row).input->field;
}

std::array<std::string, kLimitColumns> LimitsForm::Cells(std::size_t row) const {
    return LimitCells(Row(row), shown_.required);
}

bool LimitsForm::Fails(std::size_t row) const {
    return !Row(row).MeetsNow();
}

std::optional<std::size_t> LimitsForm::HighlightedRow() const {
    for (std::size_t row = 0; charted_ && row < RowCount(); ++row) {
        if (FieldOf(row) == *charted_)
            return row;
    }
    return std::nullopt;
}

} // namespace qntcalc
