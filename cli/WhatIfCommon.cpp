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

namespace {

using H = const Headroom&;
using R = const Requirements&;
using Json = nlohmann::ordered_json;

constexpr HeadroomCell kHeadroomCells[] = {
    {"key", [](H h, R) { return Json(FieldName(h.field)); }},
    {"direction", [](H h, R) { return Json(h.direction == Direction::Up ? "up" : "down"); }},
    {"current", [](H h, R) { return Json(h.current); }},
    {"last", [](H h, R) { return h.last ? Json(h.last->value) : Json(nullptr); }},
    {"next", [](H h, R) { return h.next ? Json(h.next->value) : Json(nullptr); }},
    {"cause",
     [](H h, R r) {
         return h.next ? Json(ShortfallText(*h.next, r).value_or("")) : Json(nullptr);
     }},
    {"rate",
     [](H h, R) {
         return h.next && !h.next->rejected ? Json(h.next->state.Baud) : Json(nullptr);
     }},
};

} // namespace

std::span<const HeadroomCell> HeadroomCells() {
    return kHeadroomCells;
}

nlohmann::ordered_json JsonHeadroom(const Headroom& headroom, const Requirements& required,
                                    const std::optional<std::string>& file) {
    nlohmann::ordered_json j;
    j["file"] = FileName(file);
    for (const HeadroomCell& cell : kHeadroomCells)
        j[std::string(cell.name)] = cell.value(headroom, required);
    j["text"] = HeadroomSentence(headroom, required);
    return j;
}

} // namespace qntcalc::cli
