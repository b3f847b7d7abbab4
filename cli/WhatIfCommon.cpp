#include "cli/WhatIfCommon.h"

#include "cli/CliTexts.h"
#include "text/Strings.h"
#include "whatif/Requirements.h"

namespace qntcalc::cli {

nlohmann::ordered_json FileName(const std::optional<std::string>& file) {
    return file ? nlohmann::ordered_json(*file) : nlohmann::ordered_json(nullptr);
}

Result CheckEditable(const WhatIf& whatIf, const WhatIfInput& input,
                     const std::optional<std::string>& file) {
    if (whatIf.Editable(input.field))
        return {};
    std::vector<std::string> editable;
    for (Field field : whatIf.EditableInputs())
        editable.emplace_back(FieldName(field));
    return Result::BadArgument(text::Format(
        texts::kNotTypeable,
        {file.value_or(std::string(texts::kNewProject)), FieldName(input.field),
         editable.empty() ? std::string(texts::kNoneTypeable) : text::Joined(editable, ", ")}));
}

bool PrintRefusal(const Result& result, std::ostream& err) {
    if (result.Ok())
        return false;
    err << texts::kCliPrefix << result.Message() << '\n';
    return true;
}

nlohmann::ordered_json JsonHeadroom(const Headroom& headroom, const Requirements& required,
                                    const std::optional<std::string>& file) {
    nlohmann::ordered_json j;
    j["file"] = FileName(file);
    j["key"] = FieldName(headroom.field);
    j["direction"] = headroom.direction == Direction::Up ? "up" : "down";
    j["current"] = headroom.current;
    j["last"] = headroom.last ? nlohmann::ordered_json(headroom.last->value) : nullptr;
    j["next"] = headroom.next ? nlohmann::ordered_json(headroom.next->value) : nullptr;
    j["cause"] = headroom.next
                     ? nlohmann::ordered_json(ShortfallText(*headroom.next, required).value_or(""))
                     : nullptr;
    j["rate"] = headroom.next && !headroom.next->rejected
                    ? nlohmann::ordered_json(headroom.next->state.Baud)
                    : nullptr;
    j["text"] = HeadroomSentence(headroom, required);
    return j;
}

} // namespace qntcalc::cli
