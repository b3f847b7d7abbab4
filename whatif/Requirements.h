#pragma once

#include "engine/CalcState.h"
#include "whatif/WhatIf.h"
#include "window/ProjectRequirements.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What a network must meet, and the one judgement of whether it does: the
// window, the command line and the report all ask here.
namespace qntcalc {

// Why a point fails, the first that applies in this order.
enum class Shortfall {
    None,        // meets every requirement
    Rejected,    // refused by the field's value check
    ErrorStatus, // a plausibility error (an unsettled iteration is one)
    Rmax,
    Eto,
    Cto,
};

// A time above its requirement; a time equal to it meets.
struct BrokenRequirement {
    Shortfall shortfall = Shortfall::Rmax;
    std::string_view name; // "worst case reaction time"
    int32_t value = 0;
    int32_t required = 0;
};
// The project's requirements as they apply to the window's state: in Baud
// rate mode only the transmission rate applies, and no time is judged.
Requirements Applicable(const TMasterForm& form, Requirements required);

// The first of Rmax, ETO and CTO that the state breaks; none when it
// breaks none, whatever its status, and none while no time is judged.
std::optional<BrokenRequirement> FindBrokenRequirement(const CalcState& state,
                                                       const Requirements& required);

Shortfall Judge(const WhatIfPoint& point, const Requirements& required);
// The same for the state a window shows now: the one verdict on a project,
// whatever inputs a user could still change.
Shortfall JudgeState(const TMasterForm& form, const Requirements& required);
// The value check's or status bar's message, or for a requirement
// "worst case reaction time 312 ms above the required 300 ms"; none for None.
std::optional<std::string> ShortfallText(const WhatIfPoint& point, const Requirements& required);
// "worst case reaction time 312 ms above the required 300 ms".
std::string BrokenRequirementText(const BrokenRequirement& broken);

// "Required: worst case reaction time at most 300 ms, ETO at most 40 ms."
std::string RequirementsSentence(const Requirements& required);
// One of four patterns, [ETO required][CTO required], filled with the worst
// case reaction time and then the ETO and the CTO where they are required.
using TimesPatterns = std::string_view[2][2];
std::string TimesText(const TimesPatterns& patterns, const Requirements& required, int32_t rmax,
                      int32_t eto, int32_t cto);
// "Kept as they are: Main path, Number of I/O devices."; none while no
// input is kept.
std::optional<std::string> KeptSentence(const Requirements& required);

} // namespace qntcalc
