#pragma once

#include "ui/WindowPlaceSection.h"

class QWidget;

namespace qntcalc {

// Puts a window that is not shown yet where the section says it stood
// (with PlaceWindow), and lets the section ask it where
// it stands whenever the settings file is written.
void KeepWindowPlace(WindowPlaceSection& section, QWidget& window);

} // namespace qntcalc
