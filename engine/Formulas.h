#pragma once

#include <cstdint>

// The timing formulas. Times in ms, rates in kBits/s. Integer steps wrap in
// 32 bits; floating steps run in x87 extended precision and each formula's
// final value is rounded to double before CeilMs, so the results match the
// reference calculator to the millisecond.
namespace qntcalc {

// Ceiling for doubles within 32 bits. Outside that range it keeps the low 32
// bits of the 64-bit truncation; NaN and values beyond 64 bits truncate to
// the integer-indefinite value, as the x86 conversion does.
int32_t CeilMs(double x);

int32_t RateSurcharge(int32_t rate);

int32_t CountMessages(int32_t numInp, int32_t numInpCycl, int32_t inpCycl, int32_t numOutCycl,
                      int32_t outCycl, int32_t numDevices, int32_t loadFact, int32_t cVesk,
                      int32_t cto);

int32_t CalcETO(int32_t rate, int32_t numMessages);
int32_t CalcCTO(int32_t rate, int32_t numMessages, int32_t numDevices);
int32_t CalcRmax(int32_t eto, int32_t cVesk);
int32_t CalcAlarm(int32_t eto);

// `bits` is NumInp + NumOut; `cpuOneOrTwo` whether RB_Vesk1 is selected.
int32_t CalcCVesk(int32_t numDevices, int32_t bits, bool cpuOneOrTwo);

} // namespace qntcalc
