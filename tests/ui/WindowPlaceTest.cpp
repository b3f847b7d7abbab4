#include "ui/WindowPlace.h"

#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct FitRow {
    const char* name;
    WindowPlace saved;
    WindowPlace fitted;
};

TEST(WindowPlaceTest, FitsWhollyOnTheScreenThatShowsMostOfIt) {
    // A panel below the first screen, a second screen to its right.
    const std::vector<ScreenArea> screens{{0, 0, 1920, 1050}, {1920, 0, 1280, 1024}};
    for (const FitRow& row : {
             FitRow{"WhereItWas", {100, 80, 800, 400, false}, {100, 80, 800, 400, false}},
             FitRow{"OnTheSecond", {2000, 50, 800, 400, true}, {2000, 50, 800, 400, true}},
             FitRow{"AcrossBothMostlyFirst", {1500, 100, 800, 400}, {1120, 100, 800, 400}},
             FitRow{"AcrossBothMostlySecond", {1800, 100, 800, 400}, {1920, 100, 800, 400}},
             FitRow{"UnderThePanel", {100, 900, 800, 400}, {100, 650, 800, 400}},
             FitRow{"AboveTheTop", {100, -300, 800, 400}, {100, 0, 800, 400}},
             FitRow{"OnAScreenThatIsGone", {4000, 100, 800, 400}, {1120, 100, 800, 400}},
             FitRow{"LargerThanAnyScreen", {-10, -10, 5000, 3000}, {0, 0, 1920, 1050}},
             FitRow{"EndsOfTheRange", {kMax, kMin, kMax, kMax}, {0, 0, 1920, 1050}},
         }) {
        EXPECT_EQ(FitOnScreens(row.saved, screens), row.fitted) << row.name;
    }
    const WindowPlace far{5000, 5000, 800, 400, false};
    EXPECT_EQ(FitOnScreens(far, {}), far) << "no screens known";
}

} // namespace
} // namespace qntcalc
