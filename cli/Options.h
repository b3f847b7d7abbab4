#pragma once

#include "whatif/RequirementOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the arguments ask for, filled by the parsers of CliOptions and
// WhatIfOptions alike.
namespace qntcalc::cli {

// --sweep KEY=FROM:TO[:STEP]
struct SweepSpec {
    std::string key;
    int32_t from = 0;
    int32_t to = 0;
    int32_t step = 1;
};

struct Options {
    std::optional<std::string> mode; // standard, expert or baud
    std::vector<std::pair<std::string, std::string>> sets;
    // Each further --mode, with the number of --set changes before it: it
    // switches in its place among them, as a user's later click would.
    std::vector<std::pair<std::size_t, std::string>> laterModes;
    std::optional<std::string> saveTo;
    // --save may replace a project file other than the FILE read.
    bool force = false;
    bool json = false;
    // --require-* and --keep, over the project's own.
    RequirementOverrides required;
    std::optional<SweepSpec> sweep;
    std::optional<std::string> headroomKey;
    std::optional<int32_t> headroomTo;
    bool limits = false;
    bool csv = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
};

} // namespace qntcalc::cli
