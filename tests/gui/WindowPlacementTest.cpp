#include "ui/qt/WindowPlacement.h"

#include <ostream>

#include <gtest/gtest.h>

namespace qntcalc::testing {
namespace {

struct BesideRow {
    const char* name;
    QRect screen;
    QRect main;
    QSize frame;
    int leastWidth;
    BesideFrames expected;
};

void PrintTo(const BesideRow& row, std::ostream* os) {
    *os << row.name;
}

class PlaceBesideTest : public ::testing::TestWithParam<BesideRow> {};

TEST_P(PlaceBesideTest, HidesNothingOfTheMainWindowWhereTheScreenHasRoom) {
    const BesideRow& row = GetParam();
    const BesideFrames placed = PlaceBeside(row.screen, row.main, row.frame, row.leastWidth);
    EXPECT_EQ(placed.window, row.expected.window);
    EXPECT_EQ(placed.main, row.expected.main);
}

const QRect kWide(0, 0, 2560, 1440);
const QRect kLaptop(0, 0, 1600, 1000);

INSTANTIATE_TEST_SUITE_P(
    Screens, PlaceBesideTest,
    ::testing::Values(
        BesideRow{"room right", kWide, {100, 100, 800, 600}, {900, 600}, 700,
                  {{900, 100, 900, 600}, {100, 100, 800, 600}}},
        BesideRow{"room just right", kLaptop, {0, 0, 700, 500}, {900, 600}, 700,
                  {{700, 0, 900, 600}, {0, 0, 700, 500}}},
        BesideRow{"room left only", kWide, {1700, 100, 800, 600}, {900, 600}, 700,
                  {{800, 100, 900, 600}, {1700, 100, 800, 600}}},
        // The main window in the middle of a 1600 pixel screen moves aside.
        BesideRow{"main moves right", kLaptop, {466, 395, 672, 290}, {918, 630}, 700,
                  {{0, 370, 918, 630}, {918, 395, 672, 290}}},
        BesideRow{"main moves left", kLaptop, {430, 100, 672, 290}, {918, 630}, 700,
                  {{682, 100, 918, 630}, {10, 100, 672, 290}}},
        BesideRow{"narrowed to its least", kLaptop, {400, 0, 800, 500}, {900, 600}, 800,
                  {{800, 0, 800, 600}, {0, 0, 800, 500}}},
        // No room for both: where it hides least, the main window stays.
        BesideRow{"narrower than its least", kLaptop, {400, 0, 800, 500}, {900, 600}, 801,
                  {{400, 400, 900, 600}, {400, 0, 800, 500}}},
        BesideRow{"second screen", {1600, 0, 1920, 1080}, {1700, 50, 800, 600}, {900, 600}, 700,
                  {{2500, 50, 900, 600}, {1700, 50, 800, 600}}}));

} // namespace
} // namespace qntcalc::testing
