#pragma once

#include "project/WindowPlace.h"

#include <vector>

class QWidget;

namespace qntcalc {

// The screens' usable areas now, the first one the primary screen.
std::vector<ScreenArea> AvailableScreens();

// Puts a window that is not shown yet where the section says it stood,
// fitted onto the screens there are now, and lets the section ask it where
// it stands whenever the settings file is written.
void KeepWindowPlace(WindowPlaceSection& section, QWidget& window);

} // namespace qntcalc
