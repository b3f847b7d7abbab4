#pragma once

#include "project/Result.h"

#include <string_view>

namespace qntcalc {
class TMasterForm;
}

namespace qntcalc::cli {

// Checks a --set KEY=VALUE before anything is evaluated; a refusal
// (BadArgument) lists what is allowed.
Result ValidateSet(std::string_view key, std::string_view value);

// Applies a validated --set as a user's change: typed into its field,
// clicked, or picked from its list.
void ApplySet(TMasterForm& form, std::string_view key, std::string_view value);

} // namespace qntcalc::cli
