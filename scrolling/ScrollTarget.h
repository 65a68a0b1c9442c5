#pragma once
#include <windows.h>

#include "core/ScrollStitch.h"

namespace Vorlune {

// The window at point (screen coordinates) that scrolls the way of axis by its own scroll bar:
// the deepest such, walking up from the deepest window there (a document's edit, list or tree
// control rather than its frame). Where none does, the deepest window: the wheel may still
// scroll it.
HWND ScrollableWindowAt(POINT point, ScrollAxis axis);

// The ways a window is scrolled, tried in this order until one visibly moves the picture.
enum class ScrollWay { LineMessages, PostedWheel, RealWheel };
constexpr int kScrollWays = 3;

// Scrolls target on by lines of its own (for the wheel, the lines a notch scrolls make a
// notch), one way; at is where a wheel turns, the middle of the area.
void ScrollOn(HWND target, POINT at, ScrollWay way, ScrollAxis axis, int lines);

}  // namespace Vorlune
