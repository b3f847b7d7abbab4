#pragma once

#include "project/LoadedProject.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace qntcalc::cli {

// The mode's name for reports: Standard, Expert, BaudRateMode, or none.
std::optional<std::string> ModeName(const TMasterForm& form);

// "Project: NAME (FILE)" and "  Mode: NAME", each with its line end.
std::string ReportHeading(const TMasterForm& form, const std::optional<std::string>& file);

// A few lines a person reads: the recommended values with units, whether
// the iteration settled, the status and every error message.
std::string TextReport(const LoadedProject& loaded, const std::optional<std::string>& file);

// One object with the members scripts rely on; see the README.
nlohmann::ordered_json JsonReport(const LoadedProject& loaded,
                                  const std::optional<std::string>& file);
// The same for any window model, with the value-check boxes it raised.
nlohmann::ordered_json JsonReport(const TMasterForm& form,
                                  const std::vector<std::string>& valueErrors,
                                  const std::optional<std::string>& file);

// The report's members but `file`, and `fields` without Project: what a
// sweep's row tells, whose object gives the file and the name once.
nlohmann::ordered_json JsonState(const TMasterForm& form,
                                 const std::vector<std::string>& valueErrors);

// One object on one line, with its line end. A text that is not valid
// UTF-8 (a file name, say) has each bad byte replaced by U+FFFD, so every
// line is valid JSON.
std::string JsonLine(const nlohmann::ordered_json& object);
// The same without the line end, for a part of a line.
std::string JsonText(const nlohmann::ordered_json& value);

} // namespace qntcalc::cli
