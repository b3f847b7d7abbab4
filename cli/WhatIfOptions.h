#pragma once

#include "cli/CliOptions.h"

#include <optional>
#include <string>
#include <string_view>

namespace qntcalc::cli {

// Reads one of --sweep, --headroom, --to, --require-eto, --require-cto into
// `options`; the problem's text when the value is not usable.
std::optional<std::string> ParseWhatIfOption(std::string_view name, std::string_view value,
                                             Options& options);

// Options that only make sense together; the problem's text, if any.
std::optional<std::string> CheckWhatIfOptions(const Options& options);

// The --help part about --sweep and --headroom, with each input's unit and
// the default end of its headroom search.
std::string WhatIfUsageText();

} // namespace qntcalc::cli
