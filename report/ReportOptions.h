#pragma once

#include "base/Result.h"
#include "whatif/WhatIfForm.h"

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
    Requirements required{kDefaultRequiredRmaxMs, std::nullopt, std::nullopt};
};

// Whether the arguments (without the program's name) ask for a report.
bool WantsReport(std::span<const std::string> arguments);
Result ParseReportArguments(std::span<const std::string> arguments, ReportOptions& options);

} // namespace qntcalc
