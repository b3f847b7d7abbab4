#pragma once

#include "text/Numbers.h"
#include "window/FieldFacts.h"

#include <cstdint>
#include <string>
#include <string_view>

// How a value of an input reads for people, wherever it is shown: the
// window, the command line, the report and the exports.
namespace qntcalc {

using text::GroupedNumber;

// "1,240 m", "5%", "125 kBits/s", "20 ms"; counts bare: "63".
std::string WithUnit(int32_t value, InputUnit unit);
std::string Milliseconds(int32_t value);

// " [m]", " [ms]", " [kBits/s]", " [%]"; nothing for a count.
std::string_view UnitTag(InputUnit unit);

} // namespace qntcalc
