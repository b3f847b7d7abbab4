#include "project/WhatIfSettings.h"

#include "app/WhatIfForm.h"
#include "engine/Int32.h"
#include "project/ProjectKeys.h"

namespace qntcalc {

namespace {

std::optional<int32_t> ReadLimit(const IniFile& ini, std::string_view key) {
    const int32_t ms = i32::ParseOr(ini.ReadString(ini::kWhatIf, key, ""), 0);
    return ms > 0 ? std::optional<int32_t>(ms) : std::nullopt;
}

Result WriteLimit(IniFile& ini, std::string_view key, std::optional<int32_t> ms) {
    return ms ? ini.WriteInteger(ini::kWhatIf, key, *ms) : ini.DeleteKey(ini::kWhatIf, key);
}

} // namespace

void WhatIfSettings::ReadSettings(const IniFile& ini) {
    if (const WhatIfInput* input =
            FindWhatIfInput(ini.ReadString(ini::kWhatIf, ini::kWhatIfInput, "")))
        form_.ChooseInput(input->field);
    form_.SetRequirements({ReadLimit(ini, ini::kRequireRmax).value_or(kDefaultRequiredRmaxMs),
                           ReadLimit(ini, ini::kRequireEto), ReadLimit(ini, ini::kRequireCto)});
}

Result WhatIfSettings::WriteSettings(IniFile& ini) const {
    const Requirements& required = form_.Required();
    const std::optional<Field> input = form_.ChosenInput();
    Result written = input ? ini.WriteString(ini::kWhatIf, ini::kWhatIfInput, FieldName(*input))
                           : ini.DeleteKey(ini::kWhatIf, ini::kWhatIfInput);
    if (written.Ok())
        written = ini.WriteInteger(ini::kWhatIf, ini::kRequireRmax, required.rmaxMs);
    if (written.Ok())
        written = WriteLimit(ini, ini::kRequireEto, required.etoMs);
    if (written.Ok())
        written = WriteLimit(ini, ini::kRequireCto, required.ctoMs);
    return written;
}

} // namespace qntcalc
