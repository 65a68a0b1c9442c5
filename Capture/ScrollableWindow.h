#pragma once
#include <windows.h>

#include "core/ScrollStitch.h"

namespace Vorlune {

// The window that scrolls the way of axis, walking up from deepest to its top-level window:
// the deepest one with a scroll bar of its own (a document's edit, list or tree control rather
// than its frame). Where none has, deepest itself: the wheel may still scroll it.
HWND ScrollableFrom(HWND deepest, ScrollAxis axis);

// ScrollableFrom the deepest window at point (screen coordinates).
HWND ScrollableWindowAt(POINT point, ScrollAxis axis);

// ScrollableFrom the deepest visible descendant of window at point (screen coordinates),
// found by the windows' places alone, so an overlay above them is no obstacle.
HWND ScrollableWindowWithin(HWND window, POINT point, ScrollAxis axis);

}  // namespace Vorlune
