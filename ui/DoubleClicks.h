#pragma once
#include <windows.h>

#include "core/DoubleClick.h"

namespace Vorlune {

// The double-click time and rectangle the user set in the system.
DoubleClickLimits SystemDoubleClickLimits();

// The point of a mouse message to window (in its client coordinates) on the screen, at the time
// the system stamped the message being handled with.
ClickStamp MessageClick(HWND window, POINT clientPoint);

// Drops the second click of a double click whose first click started a command, press and
// release, wherever it falls: on the toolbar, on what the first click brought up, or on the
// program below the toolbar while the toolbar leaves the screen (which would take the keyboard
// from the overlay). In place when this returns; it lasts the double-click time from first.
void GuardSecondClick(const ClickStamp& first);

}  // namespace Vorlune
