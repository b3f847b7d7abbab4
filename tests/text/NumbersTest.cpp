#include "text/Numbers.h"

#include "tests/support/GermanLocale.h"
#include "text/Strings.h"

#include <cerrno>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

namespace qntcalc::text {
namespace {

struct WholeRow {
    int64_t value;
    const char* shown;
};

constexpr WholeRow kWholeRows[] = {
    {0, "0"},
    {999, "999"},
    {1000, "1,000"},
    {-999, "-999"},
    {-1000, "-1,000"},
    {999999, "999,999"},
    {1000000, "1,000,000"},
    {-1234567, "-1,234,567"},
    {std::numeric_limits<int64_t>::max(), "9,223,372,036,854,775,807"},
    {std::numeric_limits<int64_t>::min(), "-9,223,372,036,854,775,808"},
};

struct DecimalRow {
    double value;
    int decimals;
    const char* shown;
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

constexpr DecimalRow kDecimalRows[] = {
    {70.0, 1, "70.0"},
    {98.0952380952381, 1, "98.1"},
    {999.9, 1, "999.9"},
    {1900.0, 1, "1,900.0"},
    {999.96, 1, "1,000.0"}, // the rounding carries into a new group
    {0.25, 1, "0.2"},       // a tie to even, as printf rounds
    {0.35, 1, "0.3"},       // the double lies below the tie
    {-1234.5, 0, "-1,234"},
    {12345.6, 0, "12,346"},
    {-0.04, 1, "-0.0"},
    {1e20, 2, "100,000,000,000,000,000,000.00"},
    {kInfinity, 1, "inf"},
    {-kInfinity, 1, "-inf"},
    {std::numeric_limits<double>::quiet_NaN(), 1, "nan"},
};

void ExpectEveryRow() {
    for (const WholeRow& row : kWholeRows)
        EXPECT_EQ(GroupedNumber(row.value), row.shown);
    for (const DecimalRow& row : kDecimalRows)
        EXPECT_EQ(GroupedDecimal(row.value, row.decimals), row.shown) << row.value;
}

std::string WithoutCommas(std::string text) {
    std::erase(text, ',');
    return text;
}

TEST(NumbersTest, GroupedInThreesWithAPointBeforeTheDecimals) {
    ExpectEveryRow();
    // Rounded as printf rounds under the C locale.
    for (const DecimalRow& row : kDecimalRows) {
        char printed[400];
        std::snprintf(printed, sizeof printed, "%.*f", row.decimals, row.value);
        EXPECT_EQ(WithoutCommas(GroupedDecimal(row.value, row.decimals)), printed) << row.value;
    }
}

TEST(NumbersTest, TheSameUnderAGermanLocale) {
    const ScopedLocale german(kGermanLocale);
    if (!german.Made())
        GTEST_SKIP() << kNoGermanLocale;
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 70.0);
    ASSERT_STREQ(printed, "70,0") << "the locale has a decimal comma";
    ExpectEveryRow();
    // A failure's reason stays English too.
    EXPECT_EQ(SystemError(ENOENT), "No such file or directory");
    EXPECT_EQ(SystemError(-1), "Error -1");
}

} // namespace
} // namespace qntcalc::text
