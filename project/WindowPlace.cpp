#include "project/WindowPlace.h"

#include "project/ProjectKeys.h"

#include <algorithm>
#include <limits>

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

void WindowPlaceSection::ReadSettings(const IniFile& ini) {
    saved_.reset();
    constexpr int32_t kNone = std::numeric_limits<int32_t>::min();
    WindowPlace place;
    place.left = ini.ReadInteger(ini::kWindow, ini::kLeft, kNone);
    place.top = ini.ReadInteger(ini::kWindow, ini::kTop, kNone);
    place.width = ini.ReadInteger(ini::kWindow, ini::kWidth, 0);
    place.height = ini.ReadInteger(ini::kWindow, ini::kHeight, 0);
    place.maximized = ini.ReadBool(ini::kWindow, ini::kMaximized, false);
    if (place.left != kNone && place.top != kNone && place.width > 0 && place.height > 0)
        saved_ = place;
}

Result WindowPlaceSection::WriteSettings(IniFile& ini) const {
    const std::optional<WindowPlace> place = Current ? Current() : std::nullopt;
    if (!place)
        return {};
    for (Result written : {ini.WriteInteger(ini::kWindow, ini::kLeft, place->left),
                           ini.WriteInteger(ini::kWindow, ini::kTop, place->top),
                           ini.WriteInteger(ini::kWindow, ini::kWidth, place->width),
                           ini.WriteInteger(ini::kWindow, ini::kHeight, place->height),
                           ini.WriteBool(ini::kWindow, ini::kMaximized, place->maximized)}) {
        if (!written.Ok())
            return written;
    }
    return {};
}

} // namespace qntcalc
