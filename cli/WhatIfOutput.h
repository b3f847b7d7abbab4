#pragma once

#include "cli/Options.h"
#include "project/LoadedProject.h"

#include <optional>
#include <ostream>
#include <string>

namespace qntcalc::cli {

// --sweep, --headroom and --limits on a loaded project (after --mode and --set):
// print the rows or the headroom to `out`, problems to `err`; return the
// exit status. The CSV header goes out once, before the first row of the
// first sweep that runs, so a run that fails writes nothing to `out`.
int RunSweep(const LoadedProject& loaded, const Options& options,
             const std::optional<std::string>& file, std::ostream& out, std::ostream& err,
             bool& csvHeaderWritten);
int RunHeadroom(const LoadedProject& loaded, const Options& options,
                const std::optional<std::string>& file, std::ostream& out, std::ostream& err);
// --limits: the headroom of every input that can be typed into now, tightest
// first; 0 when the current state meets the requirements, 1 when not.
int RunLimits(const LoadedProject& loaded, const Options& options,
              const std::optional<std::string>& file, std::ostream& out, std::ostream& err,
              bool& csvHeaderWritten);

} // namespace qntcalc::cli
