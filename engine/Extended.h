#pragma once

#include <bit>
#include <cstdint>
#include <utility>

namespace qntcalc {

// A number in the x87's 80-bit extended format: sign, 15-bit exponent and a
// 64-bit significand with an explicit integer bit. Computed with integers, so
// that every machine gets the bits an x87 gets at its default precision: each
// operation rounds to nearest, ties to even; overflow gives infinity, results
// below the normal range are denormals, an invalid operation gives the x87's
// default NaN and a NaN operand passes on as the x87 passes it.
//
// Normal operands with a normal result, all that the formulas meet in
// practice, are worked out inline; anything else goes out of line.
class Extended {
public:
    constexpr Extended() = default; // +0

    // Exact, as the x87 loads them.
    explicit constexpr Extended(int32_t value) : Extended(int64_t{value}) {}
    explicit constexpr Extended(int64_t value) {
        if (value == 0)
            return;
        const bool negative = value < 0;
        const uint64_t magnitude =
            negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        const int shift = std::countl_zero(magnitude);
        *this = Make(negative, kBias + 63 - shift, magnitude << shift);
    }
    explicit constexpr Extended(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        const auto exponent = static_cast<int32_t>((bits >> 52) & 0x7FF);
        if (exponent == 0 || exponent == 0x7FF)
            *this = FromSpecialDouble(bits);
        else
            *this = Make((bits >> 63) != 0, exponent - 1023 + kBias, kIntegerBit | bits << 11);
    }
    // No other type: an implicit conversion on the way could round.
    template <class T> Extended(T) = delete;

    // A pattern this type makes: no unnormals, pseudo-denormals or
    // signalling NaNs.
    static constexpr Extended FromBits(uint16_t signExponent, uint64_t significand) {
        Extended x;
        x.signExp_ = signExponent;
        x.sig_ = significand;
        return x;
    }
    constexpr uint16_t SignExponent() const { return signExp_; }
    constexpr uint64_t Significand() const { return sig_; }

    // Rounded to nearest, ties to even, as the x87 stores a double.
    constexpr double ToDouble() const {
        // Doubles' normal range; the other values go out of line.
        const int32_t exponent = Exponent() - kBias + 1023;
        if (static_cast<uint32_t>(exponent - 1) >= 0x7FE)
            return ToDoubleAny(*this);
        const uint64_t kept = sig_ >> 11;
        // The integer bit adds one to the exponent field, a carry out of the
        // top one more, up to infinity's pattern.
        const uint64_t magnitude =
            (static_cast<uint64_t>(exponent - 1) << 52) + kept + RoundUp(kept, sig_ << 53);
        return std::bit_cast<double>(static_cast<uint64_t>(Negative()) << 63 | magnitude);
    }

    // Sums of like signs; a difference, rare in the formulas, goes out of line.
    friend constexpr Extended operator+(Extended a, Extended b) {
        if (!a.IsNormal() || !b.IsNormal() || a.Negative() != b.Negative())
            return AddAny(a, b);
        if (a.Exponent() < b.Exponent())
            std::swap(a, b);
        const int32_t shift = a.Exponent() - b.Exponent();
        if (shift > 63)
            return AddAny(a, b);
        // b in a's 64 bits, and the bits of b below them: the sum is exact in
        // these two words before it is rounded.
        const uint64_t aligned = b.sig_ >> shift;
        uint64_t extra = b.sig_ << 1 << (63 - shift); // none when shift is 0
        uint64_t significand = a.sig_ + aligned;
        int32_t exponent = a.Exponent();
        if (significand < aligned) { // a carry out of the top; extra's last bit is 0
            extra = significand << 63 | extra >> 1;
            significand = kIntegerBit | significand >> 1;
            ++exponent;
        }
        return Round(a.Negative(), exponent, significand, extra);
    }

    friend constexpr Extended operator*(Extended a, Extended b) {
        if (!a.IsNormal() || !b.IsNormal())
            return MulAny(a, b);
        const U128 product = U128{a.sig_} * b.sig_;
        auto significand = static_cast<uint64_t>(product >> 64);
        auto extra = static_cast<uint64_t>(product);
        // The product's top bit is 127 or 126: shift 0 or 1.
        const int low = significand < kIntegerBit ? 1 : 0;
        significand = significand << low | (extra >> 63 & static_cast<uint64_t>(low));
        extra <<= low;
        return Round(a.Negative() != b.Negative(), a.Exponent() + b.Exponent() - kBias + 1 - low,
                     significand, extra);
    }

    friend constexpr Extended operator/(Extended a, Extended b) {
        if (!a.IsNormal() || !b.IsNormal())
            return DivAny(a, b);
        // A 64-bit quotient with its integer bit set; the remainder tells the
        // bit below it and whether anything lies further down. A quotient is
        // never exactly halfway: that would take 65 bits in the dividend.
        const bool below = a.sig_ < b.sig_;
        const U128 dividend = U128{a.sig_} << (below ? 64 : 63);
        const auto quotient = static_cast<uint64_t>(dividend / b.sig_);
        const uint64_t remainder = static_cast<uint64_t>(dividend) - quotient * b.sig_;
        const uint64_t extra = remainder == 0 ? 0 : remainder >= b.sig_ - remainder ? kHalf + 1 : 1;
        return Round(a.Negative() != b.Negative(),
                     a.Exponent() - b.Exponent() + kBias - (below ? 1 : 0), quotient, extra);
    }

private:
    __extension__ using U128 = unsigned __int128;

    static constexpr int32_t kBias = 16383;
    static constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
    // Of the bits below a significand: exactly half a unit in its last place.
    static constexpr uint64_t kHalf = uint64_t{1} << 63;

    static constexpr Extended Make(bool negative, int32_t exponent, uint64_t significand) {
        return FromBits(static_cast<uint16_t>((negative ? 0x8000 : 0) | exponent), significand);
    }
    constexpr bool Negative() const { return (signExp_ & 0x8000) != 0; }
    constexpr int32_t Exponent() const { return signExp_ & 0x7FFF; }
    constexpr bool IsNormal() const { return static_cast<uint32_t>(Exponent() - 1) < 0x7FFE; }

    // Whether `kept` goes up by one, given the bits below it in `extra`.
    static constexpr uint64_t RoundUp(uint64_t kept, uint64_t extra) {
        // Branch-free: which way a value rounds follows no pattern.
        return static_cast<uint64_t>(extra > kHalf) |
               (static_cast<uint64_t>(extra == kHalf) & kept);
    }

    // `significand` has its integer bit set and `extra` the bits below it,
    // exact or with those further down kept as a 1 in the lowest place.
    static constexpr Extended Round(bool negative, int32_t exponent, uint64_t significand,
                                    uint64_t extra) {
        const uint64_t rounded = significand + RoundUp(significand, extra);
        // Denormals round on their own grid; a carry may overflow.
        if (static_cast<uint32_t>(exponent - 1) >= 0x7FFE || rounded == 0)
            return RoundAny(negative, exponent, significand, extra);
        return Make(negative, exponent, rounded);
    }

    static Extended FromSpecialDouble(uint64_t bits);
    static double ToDoubleAny(Extended x);
    static Extended AddAny(Extended a, Extended b);
    static Extended MulAny(Extended a, Extended b);
    static Extended DivAny(Extended a, Extended b);
    static Extended RoundAny(bool negative, int32_t exponent, uint64_t significand, uint64_t extra);

    uint64_t sig_ = 0;
    uint16_t signExp_ = 0;
};

} // namespace qntcalc
