#include "ui/WindowPlaceSection.h"

#include <limits>
#include <string_view>

namespace qntcalc {

namespace {

// [Window] Left, Top (of the frame), Width, Height (inside it), Maximized 0 or 1
constexpr std::string_view kWindow = "Window";
constexpr std::string_view kLeft = "Left";
constexpr std::string_view kTop = "Top";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";
constexpr std::string_view kMaximized = "Maximized";

} // namespace

void WindowPlaceSection::ReadSettings(const IniFile& ini) {
    saved_.reset();
    constexpr int32_t kNone = std::numeric_limits<int32_t>::min();
    WindowPlace place;
    place.left = ini.ReadInteger(kWindow, kLeft, kNone);
    place.top = ini.ReadInteger(kWindow, kTop, kNone);
    place.width = ini.ReadInteger(kWindow, kWidth, 0);
    place.height = ini.ReadInteger(kWindow, kHeight, 0);
    place.maximized = ini.ReadBool(kWindow, kMaximized, false);
    if (place.left != kNone && place.top != kNone && place.width > 0 && place.height > 0)
        saved_ = place;
}

Result WindowPlaceSection::WriteSettings(IniFile& ini) const {
    const std::optional<WindowPlace> place = Current ? Current() : std::nullopt;
    if (!place)
        return {};
    for (Result written : {ini.WriteInteger(kWindow, kLeft, place->left),
                           ini.WriteInteger(kWindow, kTop, place->top),
                           ini.WriteInteger(kWindow, kWidth, place->width),
                           ini.WriteInteger(kWindow, kHeight, place->height),
                           ini.WriteBool(kWindow, kMaximized, place->maximized)}) {
        if (!written.Ok())
            return written;
    }
    return {};
}

} // namespace qntcalc
