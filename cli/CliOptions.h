#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qntcalc::cli {

struct Options {
    std::optional<std::string> mode; // standard, expert or baud
    std::vector<std::pair<std::string, std::string>> sets;
    std::optional<std::string> saveTo;
    bool json = false;
    std::optional<int32_t> requireRmaxMs;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
};

struct UsageError {
    std::string message;
};

std::variant<Options, UsageError> ParseArguments(const std::vector<std::string>& args);

std::string UsageText();

} // namespace qntcalc::cli
