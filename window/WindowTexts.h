#pragma once

#include <string_view>

// Texts of the main window's own message boxes. Its title is the program's
// (ui/UiTexts.h); its messages in the status bar are the checks'.
namespace qntcalc::texts {

inline constexpr std::string_view kValueErrorCaption = "Value Error";
inline constexpr std::string_view kGreaterZero = "Value must be greater than 0.";
inline constexpr std::string_view kGreaterEqualZero = "Value must be greater or equal 0.";

// A snapshot restored into a window with other controls.
inline constexpr std::string_view kRestoreVerb = "restore";
inline constexpr std::string_view kOtherControls = "Not a window with the same controls";

} // namespace qntcalc::texts
