#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// 32-bit two's complement arithmetic as the calculation defines it: +, - and
// * wrap silently, / truncates toward zero. Computed in unsigned so that
// overflow is never undefined behaviour.
namespace qntcalc::i32 {

inline int32_t Add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t Sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t Mul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

namespace detail {
inline thread_local uint64_t saturations = 0;
}

// How often a result on this thread was held at a limit. A calculation that
// sees this move has a number that is not the true one and cannot be sound.
inline uint64_t SaturationCount() {
    return detail::saturations;
}

inline void NoteSaturation() {
    ++detail::saturations;
}

// Saturating: a value beyond 32 bits becomes the nearest limit. Used where a
// wrapped result could pass for a small, plausible one.
inline int32_t Clamp(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) {
        NoteSaturation();
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        NoteSaturation();
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

inline int32_t AddSat(int32_t a, int32_t b) {
    return Clamp(int64_t{a} + b);
}

inline int32_t MulSat(int32_t a, int32_t b) {
    return Clamp(int64_t{a} * b);
}

// The one quotient that overflows, INT32_MIN / -1, wraps to INT32_MIN.
// Callers guarantee b != 0.
inline int32_t Div(int32_t a, int32_t b) {
    if (b == -1)
        return Sub(0, a);
    return a / b;
}

// Whole text as a decimal 32-bit integer: optional sign, then digits only,
// blanks and tabs around it allowed. Anything else (empty, a lone sign,
// letters, a decimal point, inner blanks, out of range) gives the default.
int32_t ParseOr(std::string_view text, int32_t fallback);

// Plain decimal: optional minus sign, no leading zeros, no separators.
std::string ToText(int32_t value);

} // namespace qntcalc::i32
