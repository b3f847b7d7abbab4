#include "checks/PlausibilityCheck.h"

#include "checks/StatusTexts.h"

namespace qntcalc {

namespace {

using namespace plausibility;

bool IsRateStep(int32_t rate) {
    return rate == 20 || rate == 50 || rate == 125 || rate == 250 || rate == 500;
}

} // namespace

std::vector<StatusMessage> PlausibilityCheck(const CalcState& s, const ModeFacts& mode) {
    using namespace texts;
    std::vector<StatusMessage> out;
    out.reserve(8);
    const auto check = [&out](bool condition, Severity severity, std::string_view text) {
        if (condition)
            out.push_back({severity, text});
    };
    constexpr Severity kError = Severity::Error;
    const bool routers = s.NumRouters > 0;

    check(true, Severity::Info, kEstimates);
    check(routers && s.NumRepeater > 0, mode.expert ? Severity::Info : kError,
          kRepeatersAndRouters);
    check(!s.Stable, kError, kNotStable);
    check(s.Baud <= 10, kError, kPathTooLong);
    check(mode.rateEntered && !IsRateStep(s.MainBaud), kError, kPreselectedRate);
    // Sums and products in 64 bits: absurd counts must not wrap into range.
    check(int64_t{s.NumIOD} + s.NumVesk > kMaxDevices, kError, kTooManyDevices);
    check(s.DropTot < s.DropMax, kError, kDropTotal);
    check(routers && s.LongSeg == 0, kError, kLongSegMissing);
    check(routers && s.LongSeg > s.Mainpath, kError, kLongSegTooLong);
    check(routers && s.MDSeg > s.Mainpath, kError, kMDSegTooLong);
    // The longest of the NumRouters + 1 segments is at least their average.
    check(routers && s.Mainpath / (int64_t{s.NumRouters} + 1) > s.LongSeg, kError, kLongSegWrong);
    check(routers && s.MDSeg == 0, kError, kMDSegMissing);
    check(routers && s.MDSeg > s.LongSeg, kError, kMDSegLonger);
    check(mode.baudRateMode && s.NumVesk < 0, kError, kVeskAtLeastZero);
    check(!mode.baudRateMode && s.NumVesk <= 0, kError, kVeskAtLeastOne);
    check(int64_t{s.NumInp} + s.NumOut == 0, kError, kNoIO);
    check(s.NumInp < s.NumInpCycl, kError, kCyclicInputs);
    check(s.NumIOD < s.NumOutCycl, kError, kCyclicOutputDevices);
    check(s.InpCycl < s.CVesk && s.NumInpCycl > 0, kError, kInputsTooFast);
    check(s.OutCycl < s.CVesk && s.NumOutCycl > 0, kError, kOutputsTooFast);
    check(s.InpCycl >= kMaxCycleMs, kError, kInputCycleTooSlow);
    check(s.OutCycl >= kMaxCycleMs, kError, kOutputCycleTooSlow);
    check(kBitsPerDevice * int64_t{s.NumDevices} < s.NumInp, kError, kTooManyInputs);
    check(kBitsPerDevice * int64_t{s.NumDevices} < s.NumOut, kError, kTooManyOutputs);
    check(s.LoadFact > kMaxLoadPercent, kError, kLoadFactor);
    return out;
}

} // namespace qntcalc
