#pragma once

#include "checks/PlausibilityCheck.h"
#include "engine/CalcState.h"

#include <string>
#include <string_view>
#include <vector>

namespace qntcalc {

// The worst case reaction time at which the indicator bar is full, and so
// what a project that names no requirement is judged by.
inline constexpr int32_t kReactionIndicatorFullMs = 300;

// The parts of a window that show the verdict of a calculation: the status
// bar's two panels and colour, the Results tab and the indicator bar.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void SetStatusText(std::string text) = 0;    // panel 1
    virtual void SetIndicatorText(std::string text) = 0; // panel 0
    virtual void SetStatusRed(bool red) = 0;
    virtual void SetResultsTabVisible(bool visible) = 0;
    virtual int IndicatorMaximum() const = 0;
    virtual void SetIndicatorPosition(int position) = 0;
    virtual void SetIndicatorMaximum(int maximum) = 0;
    virtual void SetIndicatorHint(std::string hint) = 0;
    // What the result's edit field shows now.
    virtual std::string FieldText(Field field) const = 0;
};

// Normal status bar, Results tab shown, indicator set for the mode: the
// baud rate against 500 kBits/s in Baud rate mode, else the worst case
// reaction time against 300 ms.
void ShowInfo(StatusDisplay& display, std::string_view text, bool baudRateMode,
              const CalcState& state);

// Red status bar, Results tab hidden, full indicator, no indicator text.
void ShowError(StatusDisplay& display, std::string_view text);

// Presents every message in order, so the last one is what stays shown.
void PresentMessages(StatusDisplay& display, const std::vector<StatusMessage>& messages,
                     bool baudRateMode, const CalcState& state);

} // namespace qntcalc
