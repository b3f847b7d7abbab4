#include "whatif/LimitsForm.h"

#include "whatif/WhatIfTexts.h"

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

std::string LimitsForm::Note() const {
    if (!Shown())
        return std::string(texts::kLimitsComputing);
    return Stale() ? std::string(texts::kWhatIfUpdating) : std::string();
}

Field LimitsForm::FieldOf(std::size_t row) const {
    return Row(row).input->field;
}

std::vector<std::string> LimitsForm::Cells(std::size_t row) const {
    return LimitCells(Row(row), shown_.required, Columns());
}

bool LimitsForm::Fails(std::size_t row) const {
    return !Row(row).MeetsNow();
}

std::optional<int32_t> LimitsForm::NearestMeeting(std::size_t row) const {
    const InputLimit& limit = Row(row);
    if (!UpToDate() || !limit.fix)
        return std::nullopt;
    return limit.fix->point.value;
}

std::optional<int32_t> LimitsForm::LastMeeting(std::size_t row) const {
    const InputLimit& limit = Row(row);
    // The current value itself is no change to make.
    if (!UpToDate() || !limit.headroom.last || limit.headroom.last->value == limit.headroom.current)
        return std::nullopt;
    return limit.headroom.last->value;
}

std::optional<std::size_t> LimitsForm::HighlightedRow() const {
    for (std::size_t row = 0; charted_ && row < RowCount(); ++row) {
        if (FieldOf(row) == *charted_)
            return row;
    }
    return std::nullopt;
}

} // namespace qntcalc
