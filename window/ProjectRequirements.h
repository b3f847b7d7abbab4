#pragma once

#include "checks/ResultPresentation.h"
#include "engine/CalcState.h"

#include <bitset>
#include <cstdint>
#include <optional>

// What a project must meet, and which of its inputs the design cannot
// change. Both belong to the project: its file keeps them, and the window,
// the What-if window, the limits, the report and the command line all use
// the same ones.
namespace qntcalc {

// The required worst case reaction time of a project that names none: where
// the main window's indicator is full.
inline constexpr int32_t kDefaultRequiredRmaxMs = kReactionIndicatorFullMs;

// The shortest time a requirement may name: every network takes time to
// react, so a requirement of 0 ms would fail every value and answer nothing.
inline constexpr int32_t kLeastRequiredMs = 1;

// Inputs that the machine dictates, such as its devices and bits: the
// limits offer no fix that changes them.
class KeptInputs {
public:
    bool Has(Field field) const { return bits_.test(Bit(field)); }
    void Set(Field field, bool kept) { bits_.set(Bit(field), kept); }
    bool None() const { return bits_.none(); }
    bool operator==(const KeptInputs&) const = default;

private:
    static std::size_t Bit(Field field) { return static_cast<std::size_t>(field); }
    std::bitset<kFieldCount> bits_;
};

// Upper limits in ms; the worst case reaction time is always required.
struct Requirements {
    Requirements() = default;
    Requirements(int32_t rmax, std::optional<int32_t> eto, std::optional<int32_t> cto,
                 KeptInputs keptInputs = {})
        : rmaxMs(rmax), etoMs(eto), ctoMs(cto), kept(keptInputs) {}
    bool operator==(const Requirements&) const = default;

    int32_t rmaxMs = kDefaultRequiredRmaxMs;
    std::optional<int32_t> etoMs;
    std::optional<int32_t> ctoMs;
    KeptInputs kept;
    // False where only the transmission rate applies (Baud rate mode): no
    // time is judged then. Never saved: it follows the mode.
    bool timesJudged = true;
};

} // namespace qntcalc
