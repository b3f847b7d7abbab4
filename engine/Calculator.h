#pragma once

#include "engine/CalcState.h"
#include "engine/CalcWindow.h"

#include <functional>

namespace qntcalc {

// One pass of the timeout iteration, for tracing and tests.
struct PassTrace {
    int pass = 0;       // 1-based
    int64_t oldSum = 0; // ETO + CTO before the pass, ms
    int64_t newSum = 0; // ETO + CTO after the pass, ms
    int closeCount = 0; // after the pass
};

// The calculation driver: the one entry of the engine. It owns the state
// record but not the inputs, which it reads from the window every time, and
// it never talks to the user: all presentation is the window's.
class Calculator {
public:
    static constexpr int kMaxPasses = 100;
    static constexpr int kCloseLimit = 10;
    static constexpr int32_t kStableEtoMs = 500;
    static constexpr int32_t kStableCtoMs = 300;
    // The CTO the iteration starts from: the shortest window that
    // CountMessages counts in (0 would mean its 100 ms default).
    static constexpr int32_t kShortestWindowMs = 1;

    explicit Calculator(CalcWindow& window) : window_(window) {}

    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // Does nothing while a calculation is under way (a change handler fired
    // by the calculation's own writes to the window).
    void Recalculate();

    CalcState& State() { return state_; }
    const CalcState& State() const { return state_; }
    // Takes over the outcome of another calculator's last calculation, as
    // if this one had run it.
    void Restore(const CalcState& state, int lastPassCount) {
        state_ = state;
        lastPassCount_ = lastPassCount;
    }

    // Passes of the last completed calculation; 0 when it ran no iteration.
    int LastPassCount() const { return lastPassCount_; }
    // Calculations started since construction, nested calls not counted.
    long CalculationCount() const { return calculations_; }

    void SetPassObserver(std::function<void(const PassTrace&)> observer) {
        passObserver_ = std::move(observer);
    }

private:
    void Calculate();
    void ReadInputs();
    void Iterate(const Selections& selections);
    int32_t EstimateCVesk(const Selections& selections) const;

    CalcWindow& window_;
    CalcState state_;
    int lastPassCount_ = 0;
    long calculations_ = 0;
    std::function<void(const PassTrace&)> passObserver_;
};

} // namespace qntcalc
