// Extended against the x87 it stands in for; built only where long double is
// the x87's own 80-bit type.
#include "engine/Extended.h"
#include "engine/Formulas.h"
#include "engine/RateModel.h"

#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

uint64_t compared = 0;
uint64_t differing = 0;

// Keeps the compiler from working a reference value out itself, where it
// would not be the x87's own result.
template <class T> T Opaque(T value) {
    volatile T v = value;
    return v;
}

// One value computed both ways and compared bit for bit after every step:
// the 80-bit pattern, and its rounding to double.
struct Both {
    Extended soft;
    long double hard;

    Both(int32_t v) : soft(v), hard(Opaque(v)) { Check("int32", *this, ' ', *this); }
    Both(int64_t v) : soft(v), hard(Opaque(v)) { Check("int64", *this, ' ', *this); }
    Both(double v) : soft(v), hard(Opaque(v)) { Check("double", *this, ' ', *this); }
    Both(Both a, char op, Both b) : soft(Soft(a.soft, op, b.soft)), hard(Hard(a.hard, op, b.hard)) {
        Check("", a, op, b);
    }
    explicit operator double() const { return soft.ToDouble(); }

    static Extended Soft(Extended a, char op, Extended b) {
        return op == '+' ? a + b : op == '*' ? a * b : a / b;
    }
    static long double Hard(long double a, char op, long double b) {
        a = Opaque(a);
        b = Opaque(b);
        return op == '+' ? a + b : op == '*' ? a * b : a / b;
    }
    static uint64_t Sig(long double x) {
        uint64_t sig;
        std::memcpy(&sig, &x, 8);
        return sig;
    }
    static uint16_t SignExp(long double x) {
        uint16_t signExp;
        std::memcpy(&signExp, reinterpret_cast<const char*>(&x) + 8, 2);
        return signExp;
    }
    void Check(const char* from, const Both& a, char op, const Both& b) const {
        ++compared;
        const double d = static_cast<double>(Opaque(hard));
        if (soft.SignExponent() == SignExp(hard) && soft.Significand() == Sig(hard) &&
            std::bit_cast<uint64_t>(soft.ToDouble()) == std::bit_cast<uint64_t>(d))
            return;
        if (differing++ < 20)
            ADD_FAILURE() << from << " " << std::hex << SignExp(a.hard) << ":" << Sig(a.hard) << " "
                          << op << " " << SignExp(b.hard) << ":" << Sig(b.hard) << ": x87 "
                          << SignExp(hard) << ":" << Sig(hard) << " (" << std::bit_cast<uint64_t>(d)
                          << "), Extended " << soft.SignExponent() << ":" << soft.Significand()
                          << " (" << std::bit_cast<uint64_t>(soft.ToDouble()) << ")";
    }
};

Both operator+(Both a, Both b) {
    return {a, '+', b};
}
Both operator*(Both a, Both b) {
    return {a, '*', b};
}
Both operator/(Both a, Both b) {
    return {a, '/', b};
}

// The formulas as they were written for the x87's long double. With T = Both
// every step is compared as well.
const double kMessageTime = std::bit_cast<double>(uint64_t{0x4060F0FDF3B645A3});
const double kDeviceTime = std::bit_cast<double>(uint64_t{0x40581D604189374D});
const double kFixedTime = std::bit_cast<double>(uint64_t{0x405F70D4FDF3B647});
constexpr double kCycleBase = 8.43153493220745;
constexpr double kCyclePerDevice = 1.17005541154497;
constexpr double kCyclePerBit = 0.026692365;
constexpr double kFastCpuFactor = 0.25;

template <class T> int32_t RefETO(int32_t rate, int32_t numMessages) {
    const T perMessage = static_cast<T>(kMessageTime) / rate;
    const T v = perMessage * (int64_t{2} * numMessages);
    return CeilMs(static_cast<double>(v));
}

template <class T> int32_t RefCTO(int32_t rate, int32_t numMessages, int32_t numDevices) {
    const T a = static_cast<T>(kDeviceTime) / rate * numDevices;
    const T b = RateSurcharge(rate) + static_cast<T>(kFixedTime) / rate;
    const T s = b + a;
    const int32_t e = RefETO<T>(rate, numMessages);
    return CeilMs(static_cast<double>(e + s));
}

template <class T> int32_t RefCVesk(int32_t numDevices, int64_t bits, bool cpuOneOrTwo) {
    const double x =
        static_cast<double>((numDevices * static_cast<T>(kCyclePerDevice) + kCycleBase) +
                            bits * static_cast<T>(kCyclePerBit));
    return CeilMs(cpuOneOrTwo ? x : x * kFastCpuFactor);
}

void CompareFormulas(int32_t rate, int32_t messages, int32_t devices, int64_t bits) {
    const int32_t eto = RefETO<long double>(rate, messages);
    const int32_t cto = RefCTO<long double>(rate, messages, devices);
    const int32_t cVesk[] = {RefCVesk<long double>(devices, bits, false),
                             RefCVesk<long double>(devices, bits, true)};
    RefCTO<Both>(rate, messages, devices); // ETO's steps too
    RefCVesk<Both>(devices, bits, true);
    compared += 4;
    if (CalcETO(rate, messages) != eto || CalcCTO(rate, messages, devices) != cto ||
        CalcCVesk(devices, bits, false) != cVesk[0] || CalcCVesk(devices, bits, true) != cVesk[1])
        if (differing++ < 20)
            ADD_FAILURE() << "formulas at rate " << rate << ", messages " << messages
                          << ", devices " << devices << ", bits " << bits;
}

TEST(ExtendedTest, MatchesTheX87BitForBit) {
    constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
    constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    const double kNaN = std::bit_cast<double>(uint64_t{0x7FF8000000000123});
    const double kSignalling = std::bit_cast<double>(uint64_t{0xFFF0000000000001});
    const int64_t k2p32 = int64_t{1} << 32;

    // Edge cases: each row converts its operands, then operates; every value
    // is compared as it is made.
    const Both rows[] = {
        kMin32, kMax32, kMin64, kMax64, (int64_t{1} << 53) + 1, 0, -0.0, DBL_MAX, -DBL_MIN, kTiny,
        DBL_MIN - kTiny, kInf, -kInf, kNaN, kSignalling,
        // Ties to even just below 2^63: down, exact, up across the top.
        Both(kMax64) + 0.25, Both(kMax64) + 0.5, Both(kMax64) + 0.75, kMax64 + Both(kMin64),
        1.0 + Both(0x1p-64), 1.0 + Both(0x1.8p-64), 1.0 + Both(-0x1p-64), 1.0 + Both(-0x1p-66),
        1.0 + Both(-0x1p-65), 1.0 + Both(-0x1.8p-65), Both(0x1p1000) + -1.0, Both(1.0) + -1.0,
        Both(-0.0) + -0.0, Both(0.0) + -0.0, kInf + Both(-kInf), kInf + Both(1.0),
        kNaN + Both(-kNaN), -kNaN + Both(kNaN), kNaN + Both(kSignalling), Both(kNaN) + 1.0,
        kSignalling + Both(kNaN), kSignalling * Both(-kNaN), kSignalling / Both(kNaN),
        (k2p32 + 1) * Both(k2p32 + 1), (k2p32 + 1) * Both(k2p32 + 3), Both(3) * -5, -0.0 * Both(7),
        kInf * Both(0), kNaN * Both(0), kInf * Both(-2), Both(1) / 3, Both(-1) / 3, Both(6) / 3,
        Both(1) / 0, Both(-1) / 0, Both(1) / -0.0, Both(0) / 0, kInf / Both(kInf), 0 / Both(kInf),
        kInf / Both(0), 5 / Both(-kInf), Both(kMin64) / -1, kNaN / Both(0), kMessageTime / Both(1),
        kMessageTime / Both(kMin32), kDeviceTime / Both(kMax32), Both(DBL_MAX) * DBL_MAX,
        // Rounding to double: overflow, a tie at the top, denormals, the
        // largest denormal rounding up to the smallest normal.
        Both(DBL_MAX) + 0x1p970, Both(DBL_MAX) + 0x1p969, Both(DBL_MAX) + 0x1.8p969,
        kTiny * Both(0.5), kTiny * Both(0.75), kTiny * Both(1.5), kTiny * Both(2.5),
        DBL_MIN * Both(1 - 0x1p-60), DBL_MIN * Both(1 - 0x1p-50), (int64_t{1} << 53) + Both(1),
        (int64_t{1} << 53) + Both(3)};
    (void)rows;
    // Walks from near 2^16000 or 2^-16000 out of the 80-bit range, by
    // products and quotients: overflow to infinity, denormals and their ties,
    // underflow to zero.
    for (const double factor : {0x1p-1000, 0x1p1000, 0.5, 2.0, 0x1.8p-7, 3.0}) {
        for (Both x :
             {Both(1) / 3, Both(-2) / 3, Both(kMessageTime) / 7, (Both(kMax64) * 2 + 1) / 0x1p64}) {
            for (int i = 0; i < 16; ++i)
                x = x * (factor < 1 ? 0x1p-1000 : 0x1p1000);
            for (int i = 0;
                 i < 600 && (x.soft.SignExponent() & 0x7FFF) != 0x7FFF && x.soft.Significand() != 0;
                 ++i)
                x = i % 2 == 0 ? x * factor : x / (1 / factor);
        }
    }

    // Random operands: ints, any double bit pattern, values near one, and
    // chains of sums, products, quotients and cancelling differences.
    std::mt19937_64 rng(0x5EED);
    const auto nearOne = [&rng] {
        return 1 + std::ldexp(static_cast<double>(static_cast<int32_t>(rng())),
                              -60 - static_cast<int>(rng() % 8));
    };
    const auto fresh = [&]() -> Both {
        switch (rng() % 4) {
        case 0:
            return static_cast<int32_t>(rng());
        case 1:
            return static_cast<int64_t>(rng() >> (rng() % 64));
        case 2:
            return std::bit_cast<double>(rng());
        default:
            return nearOne();
        }
    };
    Both huge = 1;
    for (int i = 0; i < 8; ++i)
        huge = huge * 0x1p1000;
    const Both scales[] = {huge, 1 / huge};
    std::vector<Both> pool(16, Both(1));
    for (int i = 0; i < 2'000'000; ++i) {
        const Both a = pool[rng() % 16];
        const Both b = pool[rng() % 16];
        Both& slot = pool[rng() % 16];
        switch (rng() % 8) {
        case 0:
            slot = fresh();
            break;
        case 1:
            slot = a + b;
            break;
        case 2:
            slot = a + a * -nearOne();
            break;
        case 3:
            slot = a + a * b / (b * -1);
            break;
        case 4:
            slot = a * b;
            break;
        case 5:
            slot = a * scales[rng() % 2];
            break;
        default:
            slot = a / b;
        }
        // Infinities, NaNs and zeros would soon fill the pool: keep few.
        if (((slot.soft.SignExponent() & 0x7FFF) == 0x7FFF || slot.soft.Significand() == 0) &&
            rng() % 16 != 0)
            slot = fresh();
    }

    // Every input the formulas can meet: each rate to 1,000 kBits/s and
    // rates beyond, counts dense up to 4,096 and geometric to the limits.
    static_assert(RateSteps.back() <= 1000, "every rate step is among the rates below");
    std::vector<int32_t> rates = {0, -1, -500, 1001, 65536, 999'999, kMin32, kMin32 + 1, kMax32};
    for (int32_t r = 1; r <= 1000; ++r)
        rates.push_back(r);
    std::vector<int32_t> counts = {kMin32, kMin32 + 1, kMax32 - 1, kMax32, 7922481, 7922482};
    for (int32_t n = -64; n <= 4096; ++n)
        counts.push_back(n);
    for (int64_t n = 4096; n < kMax32; n += n / 64) {
        counts.push_back(static_cast<int32_t>(n));
        counts.push_back(static_cast<int32_t>(-n));
    }
    const std::size_t n = counts.size();
    for (std::size_t r = 0; r < rates.size(); ++r) {
        for (std::size_t i = r % 8; i < n; i += 8) {
            const int64_t bits =
                i % 3 == 0 ? 2 * int64_t{counts[(i * 7) % n]} : int64_t{counts[i]} - 1;
            CompareFormulas(rates[r], counts[i], counts[(i * 31 + r) % n], bits);
        }
    }
    for (int64_t bits : {-2 * k2p32, 2 * k2p32 - 2, kMin64, kMax64})
        CompareFormulas(1, kMax32, kMin32, bits);

    RecordProperty("compared", compared);
    std::printf("Extended and the x87 compared on %" PRIu64 " values: %" PRIu64 " differ\n",
                compared, differing);
    EXPECT_EQ(differing, 0u);
}

} // namespace
} // namespace qntcalc
