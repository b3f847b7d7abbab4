#include "whatif/Requirements.h"

#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

namespace qntcalc {

Requirements Applicable(const TMasterForm& form, Requirements required) {
    required.timesJudged = !form.Baudratemode.Checked();
    return required;
}

std::optional<BrokenRequirement> FindBrokenRequirement(const CalcState& state,
                                                       const Requirements& required) {
    if (!required.timesJudged)
        return std::nullopt;
    if (state.Rmax > required.rmaxMs)
        return BrokenRequirement{Shortfall::Rmax, texts::kRequirementRmax, state.Rmax,
                                 required.rmaxMs};
    if (required.etoMs && state.ETO > *required.etoMs)
        return BrokenRequirement{Shortfall::Eto, texts::kRequirementEto, state.ETO,
                                 *required.etoMs};
    if (required.ctoMs && state.CTO > *required.ctoMs)
        return BrokenRequirement{Shortfall::Cto, texts::kRequirementCto, state.CTO,
                                 *required.ctoMs};
    return std::nullopt;
}

namespace {

Shortfall JudgeShown(bool statusError, const CalcState& state, const Requirements& required) {
    if (statusError || !state.Stable)
        return Shortfall::ErrorStatus;
    const std::optional<BrokenRequirement> broken = FindBrokenRequirement(state, required);
    return broken ? broken->shortfall : Shortfall::None;
}

} // namespace

Shortfall Judge(const WhatIfPoint& point, const Requirements& required) {
    if (point.rejected)
        return Shortfall::Rejected;
    return JudgeShown(point.statusError, point.state, required);
}

Shortfall JudgeState(const TMasterForm& form, const Requirements& required) {
    return JudgeShown(form.SB_Status.Colour() == StatusColour::Red, form.State(), required);
}

std::string BrokenRequirementText(const BrokenRequirement& broken) {
    return text::Format(texts::kHeadroomAbove,
                        {broken.name, Milliseconds(broken.value), Milliseconds(broken.required)});
}

std::optional<std::string> ShortfallText(const WhatIfPoint& point, const Requirements& required) {
    switch (Judge(point, required)) {
    case Shortfall::None:
        return std::nullopt;
    case Shortfall::Rejected:
        return point.valueErrors.empty() ? std::string() : point.valueErrors.front();
    case Shortfall::ErrorStatus:
        return point.status;
    case Shortfall::Rmax:
    case Shortfall::Eto:
    case Shortfall::Cto:
        break;
    }
    return BrokenRequirementText(*FindBrokenRequirement(point.state, required));
}

std::optional<std::string> KeptSentence(const Requirements& required) {
    std::vector<std::string> kept;
    for (const WhatIfInput& input : WhatIfInputs()) {
        if (required.kept.Has(input.field))
            kept.emplace_back(input.subject);
    }
    if (kept.empty())
        return std::nullopt;
    return text::Format(texts::kKeptSentence, {text::Joined(kept, ", ")});
}

std::string RequirementsSentence(const Requirements& required) {
    if (!required.timesJudged)
        return std::string(texts::kRequiresNoTimes);
    return TimesText(texts::kRequires, required, required.rmaxMs, required.etoMs.value_or(0),
                     required.ctoMs.value_or(0));
}

std::string TimesText(const TimesPatterns& patterns, const Requirements& required, int32_t rmax,
                      int32_t eto, int32_t cto) {
    std::vector<std::string> times{Milliseconds(rmax)};
    if (required.etoMs)
        times.push_back(Milliseconds(eto));
    if (required.ctoMs)
        times.push_back(Milliseconds(cto));
    return text::Format(patterns[required.etoMs.has_value()][required.ctoMs.has_value()], times);
}

} // namespace qntcalc
