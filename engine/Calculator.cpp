#include "engine/Calculator.h"

#include "engine/Formulas.h"
#include "engine/Int32.h"
#include "engine/RateModel.h"

#include <algorithm>

namespace qntcalc {

namespace {

// Clears the re-entry guard on every way out, exceptions included, so one
// failed calculation can never freeze all later ones.
class CalcGuard {
public:
    explicit CalcGuard(CalcState& state) : state_(state) { state_.CalcReady = false; }
    ~CalcGuard() { state_.CalcReady = true; }
    CalcGuard(const CalcGuard&) = delete;
    CalcGuard& operator=(const CalcGuard&) = delete;

private:
    CalcState& state_;
};

constexpr int kNetworkPage = 0;

} // namespace

void Calculator::Recalculate() {
    if (!state_.CalcReady)
        return;
    CalcGuard guard(state_);
    ++calculations_;
    state_.Stable = false;
    Calculate();
}

void Calculator::ReadInputs() {
    for (Field field : kAllFields)
        FieldRef(state_, field) = i32::ParseOr(window_.EditText(field), 0);
}

void Calculator::Calculate() {
    lastPassCount_ = 0;
    const uint64_t saturationsBefore = i32::SaturationCount();
    window_.PageSetting();
    ReadInputs();
    window_.InputEnabling(state_);

    const Selections selections = window_.ReadSelections();
    DetermineRates(state_, selections, window_.EditText(Field::MainBaud));
    state_.RouterCorrRes = RouterCorrection(
        state_, state_.NumRouters, std::min(state_.Baud, state_.BaudLong), selections.routerType);
    state_.NumDevices = i32::AddSat(state_.NumIOD, state_.NumVesk);

    if (state_.Baud >= 1) {
        Iterate(selections);
    } else {
        // A directly entered rate below 1 kBits/s would divide by zero or
        // give negative times: no timing results, and the checks report the
        // rate. The cycle time does not depend on the rate, so it is
        // estimated as always; a 0 there would be refused by its value check.
        state_.NumMessages = 0;
        state_.ETO = state_.CTO = state_.Rmax = state_.Alarm = 0;
        if (!selections.cveskManual)
            state_.CVesk = EstimateCVesk(selections);
    }

    // A number held at the 32-bit limit is not a result: never sound.
    if (i32::SaturationCount() != saturationsBefore)
        state_.Stable = false;

    window_.ShowResults(state_);

    const int page = window_.ActivePage();
    if (page < 0 || !window_.PageTabVisible(page))
        window_.SetActivePage(kNetworkPage);
}

int32_t Calculator::EstimateCVesk(const Selections& selections) const {
    return CalcCVesk(state_.NumDevices, int64_t{state_.NumInp} + state_.NumOut,
                     selections.cpuOneOrTwo);
}

void Calculator::Iterate(const Selections& selections) {
    CalcState& s = state_;
    // Climb from the shortest message window, never from what was shown
    // before: where the timeouts have two self-consistent solutions the start
    // would pick one, and the same network must give the same answer. From
    // here the iteration ends at the smallest timeouts consistent with
    // themselves, which are the ones to configure.
    s.ETO = 0;
    s.CTO = kShortestWindowMs;
    // The estimate depends on nothing the passes change.
    const int32_t estimate = selections.cveskManual ? s.CVesk : EstimateCVesk(selections);
    s.CVesk = estimate;
    int passes = 0;
    int close = 0;
    for (;;) {
        const int64_t oldSum = int64_t{s.ETO} + s.CTO;
        const int32_t oldCVesk = s.CVesk;
        s.NumMessages = CountMessages(s.NumInp, s.NumInpCycl, s.InpCycl, s.NumOutCycl, s.OutCycl,
                                      s.NumDevices, s.LoadFact, s.CVesk, s.CTO);
        s.ETO = i32::AddSat(CalcETO(s.Baud, s.NumMessages), s.RouterCorrRes);
        s.CTO = i32::AddSat(CalcCTO(s.Baud, s.NumMessages, s.NumDevices), s.RouterCorrRes);
        s.Rmax = CalcRmax(s.ETO, s.CVesk);
        s.Alarm = CalcAlarm(s.ETO);
        s.CVesk = estimate;
        ++passes;

        const int64_t newSum = int64_t{s.ETO} + s.CTO;
        // A zero sum (negative times) has no ratio: not close.
        if (newSum != 0 && oldSum / newSum == 1)
            ++close;
        if (passObserver_)
            passObserver_({passes, oldSum, newSum, close});

        // Equal sums alone are not settled while the cycle time still moved:
        // Rmax of this pass used the old one and would understate the
        // reaction time.
        const bool settled = oldSum == newSum && s.CVesk == oldCVesk;
        if (passes >= kMaxPasses || settled || close >= kCloseLimit)
            break;
    }
    lastPassCount_ = passes;
    s.Stable = passes < kMaxPasses && s.ETO <= kStableEtoMs && s.CTO <= kStableCtoMs;
}

} // namespace qntcalc
