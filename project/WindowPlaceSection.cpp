#include "project/WindowPlaceSection.h"

#include "project/ProjectKeys.h"

#include <limits>

namespace qntcalc {

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
