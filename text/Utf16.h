#pragma once

#include <string>
#include <string_view>

// Conversions between the UTF-8 the program works in and the UTF-16LE of
// version information. Invalid sequences become U+FFFD, so any input gives
// valid output.
namespace qntcalc::utf16 {

std::u16string FromUtf8(std::string_view text);
std::string ToUtf8(std::u16string_view text);

} // namespace qntcalc::utf16
