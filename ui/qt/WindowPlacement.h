#pragma once

#include "ui/WindowPlace.h"

#include <vector>

#include <QRect>

class QWidget;

// Where windows go: every window is placed by PlaceWindow.
namespace qntcalc {

// The part of each screen that windows may use, the primary screen first.
std::vector<ScreenArea> AvailableScreens();

// Puts the window at `place` (its frame's top left corner, the size of what
// lies inside the frame), moved and shrunk wholly onto the screen that
// shows most of it.
void PlaceWindow(QWidget& window, const WindowPlace& place);

// Frames, in screen coordinates, of a window put beside `main`.
struct BesideFrames {
    QRect window;
    QRect main;
    bool operator==(const BesideFrames&) const = default;
};

// Where a window of `frame` goes beside the frame `main` on `screen`: right
// of it or left, where it fits; else, if the screen is wide enough for both
// side by side with the window no narrower than `leastWidth`, narrowed and
// with `main` moved aside as little as needed; else right of it, below, left
// or above, the first that hides least of `main`, moved onto the screen.
BesideFrames PlaceBeside(const QRect& screen, const QRect& main, const QSize& frame,
                         int leastWidth);

// Places `window` beside `main`, on main's screen, as above.
void PlaceBeside(QWidget& window, QWidget& main);

// Where the window stands now, as PlaceWindow takes it; maximized, the
// place it goes back to.
WindowPlace PlaceOf(const QWidget& window);

} // namespace qntcalc
