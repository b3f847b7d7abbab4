#include "whatif/WhatIfForm.h"

#include "text/Strings.h"
#include "whatif/NearestMeeting.h"
#include "whatif/WhatIfTexts.h"

#include <cmath>
#include <utility>

namespace qntcalc {

bool WhatIfForm::Accept(WhatIfAnswer answer) {
    if (answer.generation != generation_)
        return false;
    shown_ = std::move(answer);
    choicePending_ = false;
    return true;
}

void WhatIfForm::ChooseInput(Field field) {
    chosen_ = field;
    choicePending_ = true;
    range_.reset();
    ++generation_;
}

void WhatIfForm::SetRange(int32_t from, int32_t to) {
    // The range belongs to the input it was set for: the one shown, also
    // where that stands in for a choice the main window does not offer
    // now, unless a new choice is still on its way.
    if (shown_ && shown_->field && !choicePending_)
        chosen_ = shown_->field;
    range_ = ClampRange(from, to);
    ++generation_;
}

void WhatIfForm::ResetRange() {
    range_.reset();
    ++generation_;
}

const WhatIfInput* WhatIfForm::ShownInput() const {
    return shown_ && shown_->field ? FindWhatIfInput(*shown_->field) : nullptr;
}

std::string WhatIfForm::HeadroomText() const {
    if (updating_)
        return std::string(texts::kWhatIfHeadroomUpdating);
    if (!shown_)
        return {};
    const WhatIfInput* input = ShownInput();
    if (!input)
        return std::string(texts::kWhatIfNothingTypeable);
    const Direction direction = input->searchDownwards ? Direction::Down : Direction::Up;
    const std::optional<Headroom> headroom =
        HeadroomInSweep(shown_->points, input->field, shown_->current, direction, required_);
    if (!headroom)
        return text::Format(texts::kWhatIfOutsideRange,
                            {input->subject, WithUnit(shown_->current, input->unit)});
    return HeadroomSentence(*headroom, required_);
}

std::optional<int32_t> WhatIfForm::ShownFix() const {
    if (!shown_ || !shown_->field)
        return std::nullopt;
    return FixInSweep(shown_->points, shown_->current, required_);
}

const WhatIfPoint* WhatIfForm::PointAt(double x) const {
    if (!shown_ || shown_->points.empty() || !std::isfinite(x))
        return nullptr;
    const double index = std::round(x) - shown_->points.front().value;
    if (index < 0 || index >= static_cast<double>(shown_->points.size()))
        return nullptr;
    return &shown_->points[static_cast<std::size_t>(index)];
}

} // namespace qntcalc
