#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "cli/ProjectOutput.h"
#include "cli/WhatIfCommon.h"
#include "cli/WhatIfOptions.h"
#include "cli/WhatIfOutput.h"
#include "text/Strings.h"
#include "whatif/Limits.h"
#include "whatif/Requirements.h"
#include "text/Units.h"

namespace qntcalc::cli {

int RunHeadroom(const LoadedProject& loaded, const Options& options,
                const std::optional<std::string>& file, std::ostream& out, std::ostream& err) {
    const WhatIfInput& input = *FindWhatIfInput(*options.headroomKey);
    WhatIf whatIf(loaded.Form());
    if (PrintRefusal(CheckEditable(whatIf, input, file), err))
        return kCannotRun;

    const Requirements required = Applicable(loaded.Form(), loaded.Form().Required());
    const int32_t current = whatIf.CurrentValue(input.field);
    const int32_t limit = options.headroomTo.value_or(DefaultHeadroomLimit(input, current));
    if (const int64_t count = SweepValueCount(current, limit, 1); count > kMostWhatIfValues) {
        err << texts::kCliPrefix << file.value_or(std::string(texts::kNewProject)) << ": "
            << text::Format(texts::kHeadroomTooFar, {TooManyValues("--headroom", count),
                                                     GroupedNumber(current), GroupedNumber(limit)})
            << "\n";
        return kCannotRun;
    }
    Headroom headroom;
    if (PrintRefusal(FindHeadroom(whatIf, input.field, required, limit, headroom), err))
        return kCannotRun;
    if (options.json) {
        out << JsonLine(JsonHeadroom(headroom, required, file));
    } else {
        out << ReportHeading(loaded.Form(), file);
        out << "  "
            << text::Format(texts::kHeadroomSearched,
                            {FieldName(input.field), WithUnit(current, input.unit),
                             WithUnit(limit, input.unit)})
            << "\n";
        out << "  " << RequirementsSentence(required) << "\n";
        out << "  " << HeadroomSentence(headroom, required) << "\n";
    }
    return headroom.MeetsNow() ? kSound : kFindings;
}

} // namespace qntcalc::cli
