#pragma once

#include "base/Result.h"

#include <string_view>

namespace qntcalc {
class TMasterForm;
}

namespace qntcalc::cli {

// Checks a --set KEY=VALUE before anything is evaluated: a key that no
// state lets a user change, or a value no box or list takes, is refused
// (BadArgument) with what is allowed.
Result ValidateSet(std::string_view key, std::string_view value);

// Applies a validated --set as a user's change: typed into its field,
// clicked, or picked from its list. An input is typed only while the user
// could type into it in the window's state now, as for --sweep; otherwise
// BadArgument with the keys that can be set now.
Result ApplySet(TMasterForm& form, std::string_view key, std::string_view value);

} // namespace qntcalc::cli
