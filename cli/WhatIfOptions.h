#pragma once

#include "base/Result.h"
#include "cli/Options.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qntcalc::cli {

// Reads one of --sweep, --headroom and --to into `options`; BadArgument
// when the value is not usable.
Result ParseWhatIfOption(std::string_view name, std::string_view value, Options& options);

// "--sweep: at most 1,000,000 values, not 1,000,001"
std::string TooManyValues(std::string_view option, int64_t count);

// Options that only make sense together: BadArgument when they are apart.
Result CheckWhatIfOptions(const Options& options);

// The --help part about --sweep and --headroom, with each input's unit and
// the default end of its headroom search.
std::string WhatIfUsageText();

} // namespace qntcalc::cli
