#pragma once

#include <string_view>

// Texts the command-line tool repeats; those said once (the usage, each
// refused argument) stand where they are said.
namespace qntcalc::texts {

// Before every problem on standard error.
inline constexpr std::string_view kCliPrefix = "qntcalc-cli: ";
// Stands for the file of a project evaluated without one.
inline constexpr std::string_view kNewProject = "new project";
inline constexpr std::string_view kTryHelp = "Try 'qntcalc-cli --help'.";

} // namespace qntcalc::texts
