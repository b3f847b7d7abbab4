#include "whatif/ChartTexts.h"

#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

#include <utility>

namespace qntcalc {

std::string PointSummary(const WhatIfInput& input, const WhatIfPoint& point) {
    const std::string value = WithUnit(point.value, input.unit);
    if (point.rejected)
        return text::Format(texts::kWhatIfSummaryRefused,
                            {input.subject, value,
                             point.valueErrors.empty() ? std::string_view()
                                                       : std::string_view(point.valueErrors.front())});
    const CalcState& s = point.state;
    const std::string status =
        s.Stable ? point.status : text::Format(texts::kWhatIfSummaryUnstable, {point.status});
    return text::Format(texts::kWhatIfSummary,
                        {input.subject, value, WithUnit(s.Baud, InputUnit::KBitsPerSecond),
                         Milliseconds(s.Rmax), Milliseconds(s.Alarm), Milliseconds(s.ETO),
                         Milliseconds(s.CTO), status});
}

std::string PointTooltip(const WhatIfInput& input, const WhatIfPoint& point) {
    std::string text = text::Format(texts::kWhatIfTipValue,
                                    {input.subject, WithUnit(point.value, input.unit)});
    if (point.rejected)
        return text + "\n" +
               text::Format(texts::kWhatIfTipRefused,
                            {point.valueErrors.empty() ? std::string_view()
                                                       : std::string_view(point.valueErrors.front())});
    const CalcState& s = point.state;
    const std::pair<std::string_view, std::string> facts[] = {
        {texts::kWhatIfRate, WithUnit(s.Baud, InputUnit::KBitsPerSecond)},
        {texts::kWhatIfRmax, Milliseconds(s.Rmax)},
        {texts::kWhatIfAlarm, Milliseconds(s.Alarm)},
        {texts::kWhatIfEto, Milliseconds(s.ETO)},
        {texts::kWhatIfCto, Milliseconds(s.CTO)},
    };
    for (const auto& [label, value] : facts)
        text += "\n" + text::Format(texts::kWhatIfTipValue, {label, value});
    return text + "\n" +
           (s.Stable ? point.status : text::Format(texts::kWhatIfSummaryUnstable, {point.status}));
}

std::string ChartTitle(std::string_view projectFile, const WhatIfInput& input,
                       const SweepRange& range) {
    std::string_view name = projectFile.substr(projectFile.find_last_of("/\\") + 1);
    if (name.empty())
        name = texts::kWhatIfNoProject;
    return text::Format(texts::kWhatIfChartTitle,
                        {name, input.subject, WithUnit(range.from, input.unit),
                         WithUnit(range.to, input.unit)});
}

} // namespace qntcalc
