#pragma once

#include <cstdint>

// The timing formulas. Times in ms, rates in kBits/s. Integer steps run in
// 64 bits and a result beyond 32 bits is held at the limit; floating steps
// run in x87 extended precision, the same bits on every machine (Extended),
// and each formula's final value is rounded to double before CeilMs, so the
// results match the reference calculator to the millisecond.
namespace qntcalc {

// Ceiling for doubles within 32 bits; beyond them the nearest limit, NaN 0.
int32_t CeilMs(double x);

// ms added to the timeouts, more for slower rates.
constexpr int32_t RateSurcharge(int32_t rate) {
    if (rate <= 20)
        return 25;
    if (rate <= 50)
        return 20;
    if (rate <= 125)
        return 15;
    return 10;
}

int32_t CountMessages(int32_t numInp, int32_t numInpCycl, int32_t inpCycl, int32_t numOutCycl,
                      int32_t outCycl, int32_t numDevices, int32_t loadFact, int32_t cVesk,
                      int32_t cto);

int32_t CalcETO(int32_t rate, int32_t numMessages);
int32_t CalcCTO(int32_t rate, int32_t numMessages, int32_t numDevices);
int32_t CalcRmax(int32_t eto, int32_t cVesk);
int32_t CalcAlarm(int32_t eto);

// `bits` is NumInp + NumOut, summed without overflow; `cpuOneOrTwo` whether
// RB_Vesk1 is selected.
int32_t CalcCVesk(int32_t numDevices, int64_t bits, bool cpuOneOrTwo);

} // namespace qntcalc
