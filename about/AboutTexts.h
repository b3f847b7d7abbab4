#pragma once

#include <string_view>

// Texts of the About box. Its title is the program's (ui/UiTexts.h), its
// version and maker's name come from the version information.
namespace qntcalc::texts {

inline constexpr std::string_view kAboutCaption = "About";
inline constexpr std::string_view kCopyright = "Copyright (C)";

// Why a file's version information cannot be read.
inline constexpr std::string_view kReadVerb = "read";
inline constexpr std::string_view kNoVersionInfo = "It carries no version information";

} // namespace qntcalc::texts
