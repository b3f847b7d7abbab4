#include "ui/WindowPlace.h"

#include <algorithm>

namespace qntcalc {

namespace {

// In 64 bits: a place read from a file may reach to the end of the range.
int64_t Overlap(int64_t begin, int64_t length, int64_t areaBegin, int64_t areaLength) {
    return std::max<int64_t>(
        0, std::min(begin + length, areaBegin + areaLength) - std::max(begin, areaBegin));
}

int32_t Within(int32_t begin, int32_t length, int32_t areaBegin, int32_t areaLength) {
    const int64_t last = int64_t{areaBegin} + areaLength - length;
    return static_cast<int32_t>(std::clamp<int64_t>(begin, areaBegin, std::max<int64_t>(areaBegin, last)));
}

} // namespace

WindowPlace FitOnScreens(WindowPlace place, std::span<const ScreenArea> screens) {
    if (screens.empty())
        return place;
    const ScreenArea* best = &screens.front();
    int64_t bestShown = 0;
    for (const ScreenArea& screen : screens) {
        const int64_t shown = Overlap(place.left, place.width, screen.left, screen.width) *
                              Overlap(place.top, place.height, screen.top, screen.height);
        if (shown > bestShown) {
            best = &screen;
            bestShown = shown;
        }
    }
    place.width = std::min(place.width, best->width);
    place.height = std::min(place.height, best->height);
    place.left = Within(place.left, place.width, best->left, best->width);
    place.top = Within(place.top, place.height, best->top, best->height);
    return place;
}

} // namespace qntcalc
