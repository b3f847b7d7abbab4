#pragma once

#include "base/Result.h"
#include "cli/Options.h"

#include <optional>
#include <string>
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
// clicked, or picked from its list. Every key only while a user can change
// its control in the window's state now (an input as for --sweep); a
// selected radio button is cleared only by selecting the other. Otherwise
// BadArgument with the keys that can be set now.
Result ApplySet(TMasterForm& form, std::string_view key, std::string_view value);

// Whether --save may write the project to `path`: refused over a file that
// holds no project (Unsuitable), and over a project file other than the one
// read (`file`; none for a new project) unless `force` (BadArgument).
Result CheckSaveTarget(const std::string& path, const std::optional<std::string>& file,
                       bool force);

// --mode as a user picks it from the Options menu: standard, expert, baud.
void ApplyMode(TMasterForm& form, const std::string& mode);
// Every --set in order, with each further --mode in its place; stops at the
// first set the window's state then refuses.
Result ApplySets(TMasterForm& form, const Options& options);

} // namespace qntcalc::cli
