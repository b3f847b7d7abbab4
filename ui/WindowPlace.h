#pragma once

#include <cstdint>
#include <span>

namespace qntcalc {

// Where the main window stands: the frame's top left corner and the size of
// what lies inside the frame, in the screen's pixels. Maximized, it is the
// place the window goes back to.
struct WindowPlace {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool maximized = false;
    bool operator==(const WindowPlace&) const = default;
};

// The part of one screen that windows may use (without panels and docks).
struct ScreenArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The place moved wholly onto the screen that shows most of it, or onto the
// first screen when none shows any, and made no larger than that screen.
// Without screens it stays as it is.
WindowPlace FitOnScreens(WindowPlace place, std::span<const ScreenArea> screens);

} // namespace qntcalc
