#pragma once

#include <cstdint>
#include <string>

// Numbers for people, the same under every locale, as the program's texts
// are English: digits grouped in threes with commas and a point before the
// decimals ("-12,345", "1,900.0"). Never made with printf, iostreams or a
// locale, whose separators follow the user's settings (and a Qt program sets
// them from the environment). A field's own text stays plain decimal
// (i32::ToText), as the window shows it.
namespace qntcalc::text {

std::string GroupedNumber(int64_t value);

// Rounded to `decimals` places as "%.Nf" rounds under the C locale, then
// grouped: GroupedDecimal(1900, 1) is "1,900.0". Infinity and NaN read
// "inf", "-inf" and "nan".
std::string GroupedDecimal(double value, int decimals);

} // namespace qntcalc::text
