#include "print/PrintFormControls.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

bool OnClientArea(const Control& control) {
    return !dynamic_cast<const MenuItem*>(&control) && control.Name() != "PrintForm" &&
           control.Name() != "File1";
}

TEST(PrintLayoutTest, EveryControlOnTheClientAreaHasExactlyOnePlacement) {
    const PrintFormControls sheet;
    const auto layout = PrintFormControls::Layout();
    std::size_t placed = 0;
    for (const Control* control : sheet.controls.All()) {
        if (!OnClientArea(*control))
            continue;
        ++placed;
        EXPECT_EQ(std::count_if(layout.begin(), layout.end(),
                                [&](const Placement& p) { return p.name == control->Name(); }),
                  1)
            << control->Name();
    }
    EXPECT_EQ(layout.size(), placed) << "a placement names no control";
    for (const Placement& p : layout)
        EXPECT_NE(sheet.controls.Find(p.name), nullptr) << p.name;
    EXPECT_EQ(PrintFormControls::PlacementOf("Close1"), nullptr);
}

TEST(PrintLayoutTest, EverythingFitsTheFixedClientArea) {
    for (const Placement& p : PrintFormControls::Layout()) {
        EXPECT_GE(p.x, 0) << p.name;
        EXPECT_GE(p.top, 0) << p.name;
        EXPECT_LE(p.x + p.width, sheet::kClientWidth) << p.name;
        EXPECT_LE(p.top + std::max(p.height, 1), sheet::kClientHeight) << p.name;
        if (p.align == Align::Right) {
            EXPECT_EQ(p.width, 0) << p.name << ": a right-aligned caption sizes itself";
        }
    }
}

TEST(PrintLayoutTest, FramesLieBeneathTheControls) {
    const auto layout = PrintFormControls::Layout();
    const auto firstControl = std::find_if(
        layout.begin(), layout.end(), [](const Placement& p) { return p.frame == Frame::None; });
    EXPECT_TRUE(std::none_of(firstControl, layout.end(),
                             [](const Placement& p) { return p.frame != Frame::None; }));
}

} // namespace
} // namespace qntcalc
