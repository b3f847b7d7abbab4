#include "project/WhatIfSettings.h"

#include "app/WhatIfForm.h"
#include "engine/Int32.h"

namespace qntcalc {

namespace {

constexpr std::string_view kSection = "WhatIf";
constexpr std::string_view kInput = "Input";
constexpr std::string_view kRmax = "RequireRmax";
constexpr std::string_view kEto = "RequireETO";
constexpr std::string_view kCto = "RequireCTO";

std::optional<int32_t> ReadLimit(const IniFile& ini, std::string_view key) {
    const int32_t ms = i32::ParseOr(ini.ReadString(kSection, key, ""), 0);
    return ms > 0 ? std::optional<int32_t>(ms) : std::nullopt;
}

Result WriteLimit(IniFile& ini, std::string_view key, std::optional<int32_t> ms) {
    return ms ? ini.WriteInteger(kSection, key, *ms) : ini.DeleteKey(kSection, key);
}

} // namespace

void WhatIfSettings::ReadSettings(const IniFile& ini) {
    if (const WhatIfInput* input = FindWhatIfInput(ini.ReadString(kSection, kInput, "")))
        form_.ChooseInput(input->field);
    form_.SetRequirements({ReadLimit(ini, kRmax).value_or(kDefaultRequiredRmaxMs),
                           ReadLimit(ini, kEto), ReadLimit(ini, kCto)});
}

Result WhatIfSettings::WriteSettings(IniFile& ini) const {
    const Requirements& required = form_.Required();
    const std::optional<Field> input = form_.ChosenInput();
    Result written = input ? ini.WriteString(kSection, kInput, FieldName(*input))
                           : ini.DeleteKey(kSection, kInput);
    if (written.Ok())
        written = ini.WriteInteger(kSection, kRmax, required.rmaxMs);
    if (written.Ok())
        written = WriteLimit(ini, kEto, required.etoMs);
    if (written.Ok())
        written = WriteLimit(ini, kCto, required.ctoMs);
    return written;
}

} // namespace qntcalc
