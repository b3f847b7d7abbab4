#include "project/WhatIfSettings.h"

#include "engine/Int32.h"
#include "project/ProjectKeys.h"
#include "whatif/WhatIfForm.h"

namespace qntcalc {

namespace {

// Any whole number, 0 and below too.
std::optional<int32_t> ReadWhole(const IniFile& ini, std::string_view key) {
    const std::string text = ini.ReadString(ini::kWhatIf, key, "");
    const int32_t value = i32::ParseOr(text, 0);
    return value == i32::ParseOr(text, 1) ? std::optional<int32_t>(value) : std::nullopt;
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
}

Result WhatIfSettings::WriteSettings(IniFile& ini) const {
    const std::optional<Field> input = form_.ChosenInput();
    Result written = input ? ini.WriteString(ini::kWhatIf, ini::kWhatIfInput, FieldName(*input))
                           : ini.DeleteKey(ini::kWhatIf, ini::kWhatIfInput);
    // Where older versions kept the requirements, which now travel with
    // the project.
    for (std::string_view older : {ini::kRequireRmax, ini::kRequireEto, ini::kRequireCto}) {
        if (written.Ok())
            written = ini.DeleteKey(ini::kWhatIf, older);
    }
    if (written.Ok())
        written = WriteRange(ini, input ? form_.Request().range : std::nullopt);
    return written;
}

} // namespace qntcalc
