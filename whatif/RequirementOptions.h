#pragma once

#include "base/Result.h"
#include "window/ProjectRequirements.h"

#include <cstdint>
#include <string_view>

// The requirements a user names on either command line, qntcalc-cli and
// QntCalc --report: --require-rmax, --require-eto and --require-cto, each
// read by the one rule here.
namespace qntcalc {

// Whether `option` is one of the three.
bool IsRequirementOption(std::string_view option);

// The milliseconds `value` names for `option`: a whole number as a field
// reads it, at least kLeastRequiredMs. BadArgument naming both otherwise.
Result ParseRequiredMs(std::string_view option, std::string_view value, int32_t& ms);

} // namespace qntcalc
