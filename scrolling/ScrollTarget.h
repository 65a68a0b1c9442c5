#pragma once
#include <windows.h>

#include "core/ScrollStitch.h"

namespace Vorlune {

// The ways a window is scrolled, tried in this order until one visibly moves the picture.
enum class ScrollWay { LineMessages, PostedWheel, RealWheel };
constexpr int kScrollWays = 3;

// Scrolls target on by lines of its own (for the wheel, the lines a notch scrolls make a
// notch), one way; at is where a wheel turns, the middle of the area.
void ScrollOn(HWND target, POINT at, ScrollWay way, ScrollAxis axis, int lines);

}  // namespace Vorlune
