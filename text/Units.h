#pragma once

#include "text/Numbers.h"

#include <cstdint>
#include <string>
#include <string_view>

// How a value reads for people, wherever it is shown: the window, the
// status bar, the command line, the report and the exports.
namespace qntcalc {

enum class InputUnit { Metres, Milliseconds, KBitsPerSecond, Percent, Count };

using text::GroupedNumber;

// "1,240 m", "5%", "125 kBits/s", "20 ms"; counts bare: "63".
std::string WithUnit(int32_t value, InputUnit unit);
// The number as given: a field's own digits, "1240 m".
std::string WithUnit(std::string_view number, InputUnit unit);
// What follows a number: " m", "%", " kBits/s", " ms"; nothing for a count.
std::string UnitSuffix(InputUnit unit);
std::string Milliseconds(int32_t value);

// " [m]", " [ms]", " [kBits/s]", " [%]"; nothing for a count.
std::string UnitTag(InputUnit unit);

} // namespace qntcalc
