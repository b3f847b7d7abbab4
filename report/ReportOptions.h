#pragma once

#include "base/Result.h"
#include "whatif/RequirementOptions.h"

#include <optional>
#include <span>
#include <string>

// The desktop program's command line when it asks for a report instead of
// a window: QntCalc --report OUT.pdf PROJECT.ini and its options.
namespace qntcalc {

struct ReportOptions {
    std::string out;
    std::string project;
    std::optional<std::string> whatIfKey;
    // Over the project's own.
    RequirementOverrides required;
};

// Whether the arguments (without the program's name) ask for a report.
bool WantsReport(std::span<const std::string> arguments);
Result ParseReportArguments(std::span<const std::string> arguments, ReportOptions& options);

} // namespace qntcalc
