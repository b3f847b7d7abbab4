#include "engine/Int32.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct ParseRow {
    const char* name;
    const char* text;
    int32_t expected; // with fallback 77
};

void PrintTo(const ParseRow& row, std::ostream* os) {
    *os << row.name;
}

class ParseOrTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseOrTest, ReadsWholeDecimalTextOrFallsBack) {
    EXPECT_EQ(i32::ParseOr(GetParam().text, 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseOrTest,
    testing::Values(ParseRow{"Plain", "300", 300}, ParseRow{"LeadingZeros", "007", 7},
                    ParseRow{"Negative", "-3", -3}, ParseRow{"PlusSign", "+12", 12},
                    ParseRow{"MinusZero", "-0", 0}, ParseRow{"Empty", "", 77},
                    ParseRow{"SignOnly", "-", 77}, ParseRow{"DoubleSign", "--3", 77},
                    ParseRow{"Letters", "12a", 77}, ParseRow{"DecimalPoint", "1.5", 77},
                    ParseRow{"LeadingBlank", " 12", 12}, ParseRow{"TrailingTab", "12\t", 12},
                    ParseRow{"InnerBlank", "1 2", 77}, ParseRow{"BlankAfterSign", "- 3", 77},
                    ParseRow{"OnlyBlanks", "   ", 77}, ParseRow{"NewLine", "12\n", 77},
                    ParseRow{"Hex", "0x10", 77}, ParseRow{"Exponent", "1e3", 77},
                    ParseRow{"Max", "2147483647", kMax}, ParseRow{"Min", "-2147483648", kMin},
                    ParseRow{"JustAboveMax", "2147483648", 77},
                    ParseRow{"JustBelowMin", "-2147483649", 77},
                    ParseRow{"FarOutOfRange", "99999999999", 77},
                    ParseRow{"ManyDigits", "000000000000000000000000042", 42},
                    ParseRow{"ManyDigitsOverflow", "184467440737095516160", 77}),
    [](const testing::TestParamInfo<ParseRow>& info) { return info.param.name; });

TEST(Int32Test, ArithmeticWrapsInThirtyTwoBits) {
    EXPECT_EQ(i32::Add(kMax, 1), kMin);
    EXPECT_EQ(i32::Sub(kMin, 1), kMax);
    EXPECT_EQ(i32::Mul(65536, 65536), 0);
    EXPECT_EQ(i32::Mul(kMax, 2), -2);
    EXPECT_EQ(i32::Div(kMin, -1), kMin);
    EXPECT_EQ(i32::Div(-7, 2), -3);
}

TEST(Int32Test, TextRoundTripsEveryBoundary) {
    for (int32_t value : {0, -1, 1, 500, kMin, kMax})
        EXPECT_EQ(i32::ParseOr(i32::ToText(value), 77), value) << value;
    EXPECT_EQ(i32::ToText(kMin), "-2147483648");
}

} // namespace
} // namespace qntcalc
