#pragma once

#include "project/WindowPlace.h"

#include <vector>

class QWidget;

// Where windows go: every window is placed by PlaceWindow.
namespace qntcalc {

// The part of each screen that windows may use, the primary screen first.
std::vector<ScreenArea> AvailableScreens();

// Puts the window at `place` (its frame's top left corner, the size of what
// lies inside the frame), moved and shrunk wholly onto the screen that
// shows most of it.
void PlaceWindow(QWidget& window, const WindowPlace& place);

// Where `window` hides the least of `main`: right of it, below, left or
// above, the first of these that hides least, moved onto main's screen.
WindowPlace PlaceBeside(const QWidget& window, const QWidget& main);

// Where the window stands now, as PlaceWindow takes it; maximized, the
// place it goes back to.
WindowPlace PlaceOf(const QWidget& window);

} // namespace qntcalc
