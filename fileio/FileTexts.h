#pragma once

#include <string_view>

// Reasons that file reads and writes give beside the system's own ("No
// such file or directory").
namespace qntcalc::texts {

inline constexpr std::string_view kNotARegularFile = "Not a regular file";
// %1 the most a file may hold, in MiB.
inline constexpr std::string_view kLargerThan = "Larger than %1 MiB";
inline constexpr std::string_view kInvalidSection = "Invalid section name ";
inline constexpr std::string_view kInvalidKey = "Invalid key name ";

} // namespace qntcalc::texts
