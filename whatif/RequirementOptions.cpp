#include "whatif/RequirementOptions.h"

#include "engine/Int32.h"
#include "text/Numbers.h"
#include "text/Strings.h"
#include "whatif/WhatIfTexts.h"

namespace qntcalc {

bool IsRequirementOption(std::string_view option) {
    return option == "--require-rmax" || option == "--require-eto" || option == "--require-cto";
}

Result ParseRequiredMs(std::string_view option, std::string_view value, int32_t& ms) {
    // Two fallbacks tell a number from a text that is none.
    const int32_t read = i32::ParseOr(value, 0);
    if (read != i32::ParseOr(value, 1) || read < kLeastRequiredMs)
        return Result::BadArgument(text::Format(
            texts::kRequiredMsWanted, {option, text::GroupedNumber(kLeastRequiredMs), value}));
    ms = read;
    return {};
}

} // namespace qntcalc
