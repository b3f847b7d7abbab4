#include "project/WhatIfSettings.h"

#include "engine/Int32.h"
#include "project/ProjectKeys.h"
#include "whatif/RequirementOptions.h"
#include "whatif/WhatIfForm.h"

namespace qntcalc {

namespace {

std::optional<int32_t> ReadLimit(const IniFile& ini, std::string_view key) {
    const int32_t ms = i32::ParseOr(ini.ReadString(ini::kWhatIf, key, ""), 0);
    return ms >= kLeastRequiredMs ? std::optional<int32_t>(ms) : std::nullopt;
}

// Any whole number, 0 and below too.
std::optional<int32_t> ReadWhole(const IniFile& ini, std::string_view key) {
    const std::string text = ini.ReadString(ini::kWhatIf, key, "");
    const int32_t value = i32::ParseOr(text, 0);
    return value == i32::ParseOr(text, 1) ? std::optional<int32_t>(value) : std::nullopt;
}

Result WriteLimit(IniFile& ini, std::string_view key, std::optional<int32_t> ms) {
    return ms ? ini.WriteInteger(ini::kWhatIf, key, *ms) : ini.DeleteKey(ini::kWhatIf, key);
}

Result WriteRange(IniFile& ini, const std::optional<SweepRange>& range) {
    if (!range) {
        Result deleted = ini.DeleteKey(ini::kWhatIf, ini::kWhatIfFrom);
        return deleted.Ok() ? ini.DeleteKey(ini::kWhatIf, ini::kWhatIfTo) : deleted;
    }
    Result written = ini.WriteInteger(ini::kWhatIf, ini::kWhatIfFrom, range->from);
    return written.Ok() ? ini.WriteInteger(ini::kWhatIf, ini::kWhatIfTo, range->to) : written;
}

} // namespace

void WhatIfSettings::ReadSettings(const IniFile& ini) {
    if (const WhatIfInput* input =
            FindWhatIfInput(ini.ReadString(ini::kWhatIf, ini::kWhatIfInput, ""))) {
        form_.ChooseInput(input->field);
        // The range was the input's own: without it, it means nothing.
        const std::optional<int32_t> from = ReadWhole(ini, ini::kWhatIfFrom);
        const std::optional<int32_t> to = ReadWhole(ini, ini::kWhatIfTo);
        if (from && to)
            form_.SetRange(*from, *to);
    }
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
    if (written.Ok())
        written = WriteRange(ini, input ? form_.Request().range : std::nullopt);
    return written;
}

} // namespace qntcalc
