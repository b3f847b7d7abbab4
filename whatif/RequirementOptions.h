#pragma once

#include "base/Result.h"
#include "window/ProjectRequirements.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The requirements a user names on either command line, qntcalc-cli and
// QntCalc --report: --require-rmax, --require-eto, --require-cto and
// --keep, each read by the one rule here. Each replaces its part of the
// project's own requirements for that run.
namespace qntcalc {

struct RequirementOverrides {
    std::optional<int32_t> rmaxMs;
    std::optional<int32_t> etoMs;
    std::optional<int32_t> ctoMs;
    std::optional<KeptInputs> kept; // --keep: the whole list

    bool Any() const { return rmaxMs || etoMs || ctoMs || kept; }
    // The project's requirements with the parts named here replaced.
    Requirements Over(Requirements project) const;
};

// Whether `option` is one of the four.
bool IsRequirementOption(std::string_view option);

// Takes one of them with its value into `overrides`: a time is a whole
// number of ms as a field reads it, at least kLeastRequiredMs; --keep takes
// input keys (as --set names them, any letter case) separated by commas,
// none for an empty value. BadArgument naming the option otherwise.
Result ParseRequirementOption(std::string_view option, std::string_view value,
                              RequirementOverrides& overrides);

// Both command lines take each option once (but the ones that apply in
// their order): a second value would silently win over the first. Records
// `option` in `given`, BadArgument naming it when it is there already.
Result TakeOnce(std::vector<std::string>& given, const std::string& option);

} // namespace qntcalc
