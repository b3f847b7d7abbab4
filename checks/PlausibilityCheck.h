#pragma once

#include "engine/CalcState.h"

#include <string_view>
#include <vector>

namespace qntcalc {

// The bounds the rules hold a network to; beyond each an error status.
namespace plausibility {
inline constexpr int32_t kMaxDevices = 64;     // I/O devices and Vesk together
inline constexpr int32_t kBitsPerDevice = 32;  // input bits, and again output bits
inline constexpr int32_t kMaxCycleMs = 1000;   // cyclic inputs and outputs: below it
inline constexpr int32_t kMaxLoadPercent = 100;
} // namespace plausibility

enum class Severity { Info, Error };

struct StatusMessage {
    Severity severity;
    std::string_view text; // one of the texts in checks/StatusTexts.h

    bool operator==(const StatusMessage&) const = default;
};

// The three facts of the window's mode that the rules depend on.
struct ModeFacts {
    bool expert = false;       // Options > Expert selected
    bool baudRateMode = false; // Options > Baud rate mode selected
    bool rateEntered = false;  // RB_Baud: a preselected rate is used
};

// The 25 plausibility rules over a completed calculation, in their fixed
// order. Findings never change the calculation; the caller presents them in
// order, so the last one is what the status bar ends up showing.
std::vector<StatusMessage> PlausibilityCheck(const CalcState& state, const ModeFacts& mode);

} // namespace qntcalc
