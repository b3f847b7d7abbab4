#pragma once

#include "base/Result.h"
#include "whatif/Headroom.h"
#include "whatif/WhatIf.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <span>
#include <string>

// What --sweep, --headroom and --limits print alike.
namespace qntcalc::cli {

// The file's name, or null for a new project.
nlohmann::ordered_json FileName(const std::optional<std::string>& file);

template <typename T> nlohmann::ordered_json OrNull(const std::optional<T>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

// Refuses an input the project's state does not let a user type into.
Result CheckEditable(const WhatIf& whatIf, const WhatIfInput& input,
                     const std::optional<std::string>& file);

// Prints why the what-if cannot run, if it cannot; true when it printed.
bool PrintRefusal(const Result& result, std::ostream& err);

// The cells of one headroom, the same for --headroom and each input of
// --limits, in JSON and CSV: key, direction, current, last, next, cause and
// rate; null where there is none.
struct HeadroomCell {
    std::string_view name;
    nlohmann::ordered_json (*value)(const Headroom& headroom, const Requirements& required);
};
std::span<const HeadroomCell> HeadroomCells();

// The file, the cells and the sentence of one headroom.
nlohmann::ordered_json JsonHeadroom(const Headroom& headroom, const Requirements& required,
                                    const std::optional<std::string>& file);

} // namespace qntcalc::cli
