#include "whatif/RequirementOptions.h"

#include "engine/Int32.h"
#include "text/Numbers.h"
#include "text/Strings.h"
#include "whatif/WhatIf.h"
#include "whatif/WhatIfTexts.h"

#include <algorithm>
#include <string>

namespace qntcalc {

namespace {

constexpr std::string_view kKeepOption = "--keep";

Result ParseRequiredMs(std::string_view option, std::string_view value, int32_t& ms) {
    // Two fallbacks tell a number from a text that is none.
    const int32_t read = i32::ParseOr(value, 0);
    if (read != i32::ParseOr(value, 1) || read < kLeastRequiredMs)
        return Result::BadArgument(text::Format(
            texts::kRequiredMsWanted, {option, text::GroupedNumber(kLeastRequiredMs), value}));
    ms = read;
    return {};
}

Result ParseKept(std::string_view value, KeptInputs& kept) {
    kept = {};
    for (const std::string& key : text::Split(value, ',')) {
        const WhatIfInput* input = FindWhatIfInput(key);
        if (!input)
            return Result::BadArgument(
                text::Format(texts::kKeepUnknownInput, {kKeepOption, key, WhatIfInputKeys()}));
        kept.Set(input->field, true);
    }
    return {};
}

} // namespace

Requirements RequirementOverrides::Over(Requirements project) const {
    if (rmaxMs)
        project.rmaxMs = *rmaxMs;
    if (etoMs)
        project.etoMs = etoMs;
    if (ctoMs)
        project.ctoMs = ctoMs;
    if (kept)
        project.kept = *kept;
    return project;
}

Result TakeOnce(std::vector<std::string>& given, const std::string& option) {
    if (std::find(given.begin(), given.end(), option) != given.end())
        return Result::BadArgument(text::Format(texts::kOptionGivenTwice, {option}));
    given.push_back(option);
    return {};
}

bool IsRequirementOption(std::string_view option) {
    return option == "--require-rmax" || option == "--require-eto" ||
           option == "--require-cto" || option == kKeepOption;
}

Result ParseRequirementOption(std::string_view option, std::string_view value,
                              RequirementOverrides& overrides) {
    if (option == kKeepOption) {
        KeptInputs kept;
        if (Result read = ParseKept(value, kept); !read.Ok())
            return read;
        overrides.kept = kept;
        return {};
    }
    int32_t ms = 0;
    if (Result read = ParseRequiredMs(option, value, ms); !read.Ok())
        return read;
    if (option == "--require-rmax")
        overrides.rmaxMs = ms;
    else if (option == "--require-eto")
        overrides.etoMs = ms;
    else
        overrides.ctoMs = ms;
    return {};
}

} // namespace qntcalc
