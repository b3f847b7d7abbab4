#include "window/Units.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

TEST(UnitsTest, EachUnitAsItReads) {
    struct Row {
        InputUnit unit;
        int32_t value;
        const char* withUnit;
        const char* tag;
    };
    for (const Row& row : {
             Row{InputUnit::Metres, 1240, "1,240 m", " [m]"},
             Row{InputUnit::Milliseconds, 20, "20 ms", " [ms]"},
             Row{InputUnit::KBitsPerSecond, 125, "125 kBits/s", " [kBits/s]"},
             Row{InputUnit::Percent, 5, "5%", " [%]"},
             Row{InputUnit::Count, -63, "-63", ""},
         }) {
        EXPECT_EQ(WithUnit(row.value, row.unit), row.withUnit);
        EXPECT_EQ(UnitTag(row.unit), row.tag);
    }
}

} // namespace
} // namespace qntcalc
