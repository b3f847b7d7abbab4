#pragma once

#include "base/Result.h"
#include "cli/Options.h"

#include <string>
#include <vector>

namespace qntcalc::cli {

// Fills `options` from the arguments; a refused argument is BadArgument.
Result ParseArguments(const std::vector<std::string>& args, Options& options);

std::string UsageText();

} // namespace qntcalc::cli
