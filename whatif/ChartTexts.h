#pragma once

#include "whatif/SweepRange.h"
#include "whatif/WhatIf.h"

#include <string>
#include <string_view>

// What the What-if chart says in words: at the pointer and above an export.
namespace qntcalc {

// One line for hovering: "Main path 250 m: 250 kBits/s, worst case
// reaction time 106 ms, ..." and the status bar's message.
std::string PointSummary(const WhatIfInput& input, const WhatIfPoint& point);
// The same, one fact a line, for the tooltip at the pointer.
std::string PointTooltip(const WhatIfInput& input, const WhatIfPoint& point);

// What an exported chart says above it: "<project> - What-if: Main path from
// 100 m to 200 m".
std::string ChartTitle(std::string_view projectFile, const WhatIfInput& input,
                       const SweepRange& range);

} // namespace qntcalc
