#include "engine/Formulas.h"

#include "engine/Extended.h"
#include "engine/Int32.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace qntcalc {

namespace {

// One unit in the last place above the doubles nearest to 135.531, 96.459
// and 125.763: the reference calculator's constants, bit for bit.
constexpr double kMessageTime = std::bit_cast<double>(uint64_t{0x4060F0FDF3B645A3}); // ms x kBits/s
constexpr double kDeviceTime = std::bit_cast<double>(uint64_t{0x40581D604189374D});
constexpr double kFixedTime = std::bit_cast<double>(uint64_t{0x405F70D4FDF3B647});

constexpr double kCycleBase = 8.43153493220745;      // ms
constexpr double kCyclePerDevice = 1.17005541154497; // ms
constexpr double kCyclePerBit = 0.026692365;         // ms
constexpr double kFastCpuFactor = 0.25;

constexpr int32_t kAlarmOffset = 5;     // ms
constexpr int32_t kWindowDefault = 100; // ms
constexpr int32_t kWindowLimit = 300;   // ms


// The timeouts' terms that depend on the rate alone. Division is by far the
// slowest step, so those of every rate up to 1,000 kBits/s are worked out
// while compiling.
struct RateTerms {
    Extended perMessage;
    Extended perDevice;
    Extended fixed;
};

constexpr RateTerms TermsOf(int32_t rate) {
    return {Extended(kMessageTime) / Extended(rate), Extended(kDeviceTime) / Extended(rate),
            Extended(RateSurcharge(rate)) + Extended(kFixedTime) / Extended(rate)};
}

constexpr int32_t kTabledRates = 1000;
constexpr auto kRateTable = [] {
    std::array<RateTerms, kTabledRates> table{};
    for (int32_t rate = 1; rate <= kTabledRates; ++rate)
        table[static_cast<std::size_t>(rate - 1)] = TermsOf(rate);
    return table;
}();

bool Tabled(int32_t rate) {
    return rate >= 1 && rate <= kTabledRates;
}

const RateTerms& Row(int32_t rate) {
    return kRateTable[static_cast<std::size_t>(rate - 1)];
}

} // namespace

int32_t CeilMs(double x) {
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    if (std::isnan(x))
        return 0;
    // A time beyond 32 bits stays at the limit: wrapped, it could come out
    // as a short and plausible one.
    if (x > kMax) {
        i32::NoteSaturation();
        return std::numeric_limits<int32_t>::max();
    }
    if (x <= kMin) {
        // Down to one below the limit the ceiling is the limit itself.
        if (x <= kMin - 1)
            i32::NoteSaturation();
        return std::numeric_limits<int32_t>::min();
    }
    const auto whole = static_cast<int32_t>(x);
    return x - whole > 0 ? whole + 1 : whole;
}

int32_t CountMessages(int32_t numInp, int32_t numInpCycl, int32_t inpCycl, int32_t numOutCycl,
                      int32_t outCycl, int32_t numDevices, int32_t loadFact, int32_t cVesk,
                      int32_t cto) {
    const int32_t window = (cto >= 1 && cto <= kWindowLimit) ? cto : kWindowDefault;
    const int32_t cycle = cVesk >= 1 ? cVesk : window;
    const int32_t changing = i32::Div(loadFact, 100);
    // Differences, products and the sum in 64 bits; only the count itself is
    // held at the 32-bit limit.
    const int64_t d = int64_t{numInp} - numInpCycl - numDevices;

    int32_t inputEvents = 0;
    if (d >= 0)
        inputEvents = (changing >= 2 && d != 0) ? 1 : changing;

    const int64_t cyclicInputs = inpCycl > 0 ? int64_t{window / inpCycl} * numInpCycl : 0;

    int32_t outputs = 0;
    if (numOutCycl > 0) {
        const int32_t cyclesInWindow = window / cycle;
        if (changing >= 2 && numOutCycl >= 2)
            outputs = 1;
        else if (changing != 0 && cyclesInWindow >= 2)
            outputs = 1;
        else
            outputs = cyclesInWindow;
    }

    const int64_t cyclicOutputs = outCycl > 0 ? int64_t{window / outCycl} * numOutCycl : 0;

    return i32::Clamp(int64_t{numDevices} + inputEvents + cyclicInputs + outputs + cyclicOutputs +
                      1);
}

int32_t CalcETO(int32_t rate, int32_t numMessages) {
    const Extended perMessage =
        Tabled(rate) ? Row(rate).perMessage : Extended(kMessageTime) / Extended(rate);
    const Extended v = perMessage * Extended(int64_t{2} * numMessages);
    return CeilMs(v.ToDouble());
}

int32_t CalcCTO(int32_t rate, int32_t numMessages, int32_t numDevices) {
    const RateTerms terms = Tabled(rate) ? Row(rate) : TermsOf(rate);
    const Extended s = terms.fixed + terms.perDevice * Extended(numDevices);
    const int32_t e = CalcETO(rate, numMessages);
    return CeilMs((Extended(e) + s).ToDouble());
}

int32_t CalcRmax(int32_t eto, int32_t cVesk) {
    return i32::Clamp(2 * (int64_t{eto} + cVesk));
}

int32_t CalcAlarm(int32_t eto) {
    return i32::Clamp(2 * int64_t{eto} + kAlarmOffset);
}

int32_t CalcCVesk(int32_t numDevices, int64_t bits, bool cpuOneOrTwo) {
    const double x = ((Extended(numDevices) * Extended(kCyclePerDevice) + Extended(kCycleBase)) +
                      Extended(bits) * Extended(kCyclePerBit))
                         .ToDouble();
    return CeilMs(cpuOneOrTwo ? x : x * kFastCpuFactor);
}

} // namespace qntcalc
