#include "whatif/WhatIfSettings.h"

#include "engine/Int32.h"
#include "whatif/WhatIfForm.h"

namespace qntcalc {

namespace {

// [WhatIf] Input (a field's name), From and To (the range chosen by hand).
// Older versions kept the requirements here, which are removed on writing.
constexpr std::string_view kWhatIf = "WhatIf";
constexpr std::string_view kWhatIfInput = "Input";
constexpr std::string_view kWhatIfFrom = "From";
constexpr std::string_view kWhatIfTo = "To";
constexpr std::string_view kRequireRmax = "RequireRmax";
constexpr std::string_view kRequireEto = "RequireETO";
constexpr std::string_view kRequireCto = "RequireCTO";

// Any whole number, 0 and below too.
std::optional<int32_t> ReadWhole(const IniFile& ini, std::string_view key) {
    const std::string text = ini.ReadString(kWhatIf, key, "");
    const int32_t value = i32::ParseOr(text, 0);
    return value == i32::ParseOr(text, 1) ? std::optional<int32_t>(value) : std::nullopt;
}

Result WriteRange(IniFile& ini, const std::optional<SweepRange>& range) {
    if (!range) {
        Result deleted = ini.DeleteKey(kWhatIf, kWhatIfFrom);
        return deleted.Ok() ? ini.DeleteKey(kWhatIf, kWhatIfTo) : deleted;
    }
    Result written = ini.WriteInteger(kWhatIf, kWhatIfFrom, range->from);
    return written.Ok() ? ini.WriteInteger(kWhatIf, kWhatIfTo, range->to) : written;
}

} // namespace

void WhatIfSettings::ReadSettings(const IniFile& ini) {
    if (const WhatIfInput* input =
            FindWhatIfInput(ini.ReadString(kWhatIf, kWhatIfInput, ""))) {
        form_.ChooseInput(input->field);
        // The range was the input's own: without it, it means nothing.
        const std::optional<int32_t> from = ReadWhole(ini, kWhatIfFrom);
        const std::optional<int32_t> to = ReadWhole(ini, kWhatIfTo);
        if (from && to)
            form_.SetRange(*from, *to);
    }
}

Result WhatIfSettings::WriteSettings(IniFile& ini) const {
    const std::optional<Field> input = form_.ChosenInput();
    Result written = input ? ini.WriteString(kWhatIf, kWhatIfInput, FieldName(*input))
                           : ini.DeleteKey(kWhatIf, kWhatIfInput);
    // Where older versions kept the requirements, which now travel with
    // the project.
    for (std::string_view older : {kRequireRmax, kRequireEto, kRequireCto}) {
        if (written.Ok())
            written = ini.DeleteKey(kWhatIf, older);
    }
    if (written.Ok())
        written = WriteRange(ini, input ? form_.Request().range : std::nullopt);
    return written;
}

} // namespace qntcalc
