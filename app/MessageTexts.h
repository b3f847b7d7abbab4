#pragma once

#include <string_view>

// Texts of the main window's own message boxes.
namespace qntcalc::texts {

inline constexpr std::string_view kValueErrorCaption = "Value Error";
inline constexpr std::string_view kGreaterZero = "Value must be greater than 0.";
inline constexpr std::string_view kGreaterEqualZero = "Value must be greater or equal 0.";

inline constexpr std::string_view kWindowTitle = "Quarnet Calculator";

} // namespace qntcalc::texts
