#include "text/Units.h"

#include <gtest/gtest.h>

#include <string>

namespace qntcalc {
namespace {

TEST(UnitsTest, EachUnitAsItReads) {
    struct Row {
        InputUnit unit;
        int32_t value;
        const char* withUnit;
        const char* tag;
        const char* digitsWithUnit; // the value's own digits, ungrouped
    };
    for (const Row& row : {
             Row{InputUnit::Metres, 1240, "1,240 m", " [m]", "1240 m"},
             Row{InputUnit::Milliseconds, 2000, "2,000 ms", " [ms]", "2000 ms"},
             Row{InputUnit::KBitsPerSecond, 125, "125 kBits/s", " [kBits/s]", "125 kBits/s"},
             Row{InputUnit::Percent, 5, "5%", " [%]", "5%"},
             Row{InputUnit::Count, -6300, "-6,300", "", "-6300"},
         }) {
        EXPECT_EQ(WithUnit(row.value, row.unit), row.withUnit);
        EXPECT_EQ(UnitTag(row.unit), row.tag);
        EXPECT_EQ(WithUnit(std::to_string(row.value), row.unit), row.digitsWithUnit);
    }
}

} // namespace
} // namespace qntcalc
