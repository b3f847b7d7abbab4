#include "engine/Extended.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace qntcalc {

namespace {

__extension__ typedef unsigned __int128 U128;

constexpr uint16_t kSignBit = 0x8000;
constexpr int32_t kMaxExponent = 0x7FFF; // infinities and NaNs
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 62;
// Of the bits below a significand: exactly half a unit in its last place.
constexpr uint64_t kHalf = uint64_t{1} << 63;

// What the x87 gives for an invalid operation such as 0 / 0 or infinity x 0.
constexpr Extended kDefaultNaN = Extended::FromBits(0xFFFF, kIntegerBit | kQuietBit);

bool IsNegative(Extended x) {
    return (x.SignExponent() & kSignBit) != 0;
}

int32_t ExponentOf(Extended x) {
    return x.SignExponent() & kMaxExponent;
}

bool IsNaN(Extended x) {
    return ExponentOf(x) == kMaxExponent && x.Significand() != kIntegerBit;
}

Extended Pack(bool negative, int32_t exponent, uint64_t significand) {
    return Extended::FromBits(static_cast<uint16_t>((negative ? kSignBit : 0) | exponent),
                              significand);
}

Extended Infinity(bool negative) {
    return Pack(negative, kMaxExponent, kIntegerBit);
}

Extended Zero(bool negative) {
    return Pack(negative, 0, 0);
}

// The type never holds a signalling NaN, so the x87's rule for two quiet ones
// is all there is: the larger significand, on a tie the positive one.
Extended PropagateNaN(Extended a, Extended b) {
    if (!IsNaN(b))
        return a;
    if (!IsNaN(a))
        return b;
    if (a.Significand() != b.Significand())
        return a.Significand() > b.Significand() ? a : b;
    return a.SignExponent() < b.SignExponent() ? a : b;
}

// Shifts right; bits shifted out leave a 1 in the lowest place, so that
// rounding still sees the value lay above a tie or above zero.
U128 ShiftRightJam(U128 v, int32_t count) {
    if (count <= 0)
        return v;
    if (count >= 128)
        return v != 0;
    return (v >> count) | U128{(v << (128 - count)) != 0};
}

// A finite nonzero value as significand x 2^(exponent - kBias - 63) with the
// integer bit set; a denormal's exponent then lies below 1.
struct Parts {
    int32_t exponent;
    uint64_t significand;
};

Parts Normalized(Extended x) {
    const int shift = std::countl_zero(x.Significand());
    return {std::max(ExponentOf(x), int32_t{1}) - shift, x.Significand() << shift};
}

// Rounds significand + extra / 2^64 units in its last place, the integer bit
// set and the exponent possibly outside the format, to nearest even.
Extended RoundPack(bool negative, int32_t exponent, uint64_t significand, uint64_t extra) {
    if (exponent < 1) {
        // Below the normal range fewer bits remain: round once, on the
        // denormals' own grid.
        const U128 v = ShiftRightJam((U128{significand} << 64) | extra, 1 - exponent);
        significand = static_cast<uint64_t>(v >> 64);
        extra = static_cast<uint64_t>(v);
        exponent = 0;
    }
    if (extra > kHalf || (extra == kHalf && (significand & 1) != 0)) {
        ++significand;
        if (significand == 0) {
            significand = kIntegerBit;
            ++exponent;
        } else if (significand == kIntegerBit && exponent == 0) {
            exponent = 1; // the largest denormal rounded up to the smallest normal
        }
    }
    if (exponent >= kMaxExponent)
        return Infinity(negative);
    return Pack(negative, exponent, significand);
}

// Rounds a nonzero v x 2^(exponent - kBias - 127).
Extended NormalizeRoundPack(bool negative, int32_t exponent, U128 v) {
    const auto high = static_cast<uint64_t>(v >> 64);
    const int shift =
        high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<uint64_t>(v));
    v <<= shift;
    return RoundPack(negative, exponent - shift, static_cast<uint64_t>(v >> 64),
                     static_cast<uint64_t>(v));
}

} // namespace

Extended Extended::FromSpecialDouble(uint64_t bits) {
    const bool negative = (bits >> 63) != 0;
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    if (((bits >> 52) & 0x7FF) == 0x7FF) {
        // A signalling NaN loads quiet, as on the x87.
        return fraction == 0
                   ? Infinity(negative)
                   : Pack(negative, kMaxExponent, kIntegerBit | kQuietBit | fraction << 11);
    }
    if (fraction == 0)
        return Zero(negative);
    // Double denormals are normal numbers here.
    const int shift = std::countl_zero(fraction);
    return Pack(negative, kBias - 1023 + 12 - shift, fraction << shift);
}

Extended Extended::RoundAny(bool negative, int32_t exponent, uint64_t significand, uint64_t extra) {
    return RoundPack(negative, exponent, significand, extra);
}

double Extended::ToDoubleAny(Extended x) {
    const uint64_t sign = IsNegative(x) ? uint64_t{1} << 63 : 0;
    constexpr uint64_t kInfinity = uint64_t{0x7FF} << 52;
    if (ExponentOf(x) == kMaxExponent) {
        // A NaN keeps its sign and the top of its payload.
        const uint64_t payload = IsNaN(x) ? (x.sig_ & ~kIntegerBit) >> 11 : 0;
        return std::bit_cast<double>(sign | kInfinity | payload);
    }
    if (x.sig_ == 0)
        return std::bit_cast<double>(sign);
    const Parts p = Normalized(x);
    const int32_t exponent = p.exponent - kBias + 1023;
    if (exponent >= 0x7FF)
        return std::bit_cast<double>(sign | kInfinity);
    // 53 bits to keep, at most 64 for double denormals, which round once
    // on their own grid; a carry out of the top moves into the exponent field.
    const U128 v = ShiftRightJam(U128{p.significand} << 64, 11 + std::max(1 - exponent, 0));
    uint64_t kept = static_cast<uint64_t>(v >> 64);
    const auto extra = static_cast<uint64_t>(v);
    if (extra > kHalf || (extra == kHalf && (kept & 1) != 0))
        ++kept;
    const uint64_t biased = exponent >= 1 ? static_cast<uint64_t>(exponent - 1) << 52 : 0;
    return std::bit_cast<double>(sign | (biased + kept));
}

Extended Extended::AddAny(Extended a, Extended b) {
    if (ExponentOf(a) == kMaxExponent || ExponentOf(b) == kMaxExponent) {
        if (IsNaN(a) || IsNaN(b))
            return PropagateNaN(a, b);
        if (ExponentOf(a) == ExponentOf(b) && IsNegative(a) != IsNegative(b))
            return kDefaultNaN;
        return ExponentOf(a) == kMaxExponent ? a : b;
    }
    if (a.sig_ == 0)
        return b.sig_ == 0 ? Zero(IsNegative(a) && IsNegative(b)) : b;
    if (b.sig_ == 0)
        return a;
    const bool subtract = IsNegative(a) != IsNegative(b);
    Parts big = Normalized(a);
    Parts small = Normalized(b);
    bool negative = IsNegative(a);
    if (big.exponent < small.exponent ||
        (big.exponent == small.exponent && big.significand < small.significand)) {
        std::swap(big, small);
        negative = IsNegative(b);
    }
    // Two bits of headroom for a carry; the 62 below keep the smaller operand
    // exactly or, shifted further, enough to round as the exact sum would.
    const U128 x = U128{big.significand} << 62;
    const U128 y = ShiftRightJam(U128{small.significand} << 62, big.exponent - small.exponent);
    if (subtract && x == y)
        return Zero(false);
    return NormalizeRoundPack(negative, big.exponent + 2, subtract ? x - y : x + y);
}

Extended Extended::MulAny(Extended a, Extended b) {
    const bool negative = IsNegative(a) != IsNegative(b);
    if (ExponentOf(a) == kMaxExponent || ExponentOf(b) == kMaxExponent) {
        if (IsNaN(a) || IsNaN(b))
            return PropagateNaN(a, b);
        return a.sig_ == 0 || b.sig_ == 0 ? kDefaultNaN : Infinity(negative);
    }
    if (a.sig_ == 0 || b.sig_ == 0)
        return Zero(negative);
    const Parts x = Normalized(a);
    const Parts y = Normalized(b);
    return NormalizeRoundPack(negative, x.exponent + y.exponent - kBias + 1,
                              U128{x.significand} * y.significand);
}

Extended Extended::DivAny(Extended a, Extended b) {
    const bool negative = IsNegative(a) != IsNegative(b);
    if (ExponentOf(a) == kMaxExponent || ExponentOf(b) == kMaxExponent) {
        if (IsNaN(a) || IsNaN(b))
            return PropagateNaN(a, b);
        if (ExponentOf(a) != kMaxExponent)
            return Zero(negative);
        return ExponentOf(b) == kMaxExponent ? kDefaultNaN : Infinity(negative);
    }
    if (b.sig_ == 0)
        return a.sig_ == 0 ? kDefaultNaN : Infinity(negative);
    if (a.sig_ == 0)
        return Zero(negative);
    const Parts x = Normalized(a);
    const Parts y = Normalized(b);
    // A 64-bit quotient with its integer bit set; the remainder, doubled,
    // tells the bit below it and whether anything lies further down.
    const bool below = x.significand < y.significand;
    const U128 dividend = U128{x.significand} << (below ? 64 : 63);
    const auto quotient = static_cast<uint64_t>(dividend / y.significand);
    const U128 twice = (dividend - U128{quotient} * y.significand) << 1;
    const uint64_t extra =
        twice >= y.significand ? kHalf | uint64_t{twice != y.significand} : uint64_t{twice != 0};
    return RoundPack(negative, x.exponent - y.exponent + kBias - (below ? 1 : 0), quotient, extra);
}

} // namespace qntcalc
