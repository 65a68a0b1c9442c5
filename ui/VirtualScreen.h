#pragma once
#include <windows.h>

namespace Vorlune {

// The bounding rectangle of all monitors, from the system metrics; its origin may be negative.
RECT VirtualScreenRect();
// The work area of the monitor nearest the screen point, or the primary one's when the
// monitor cannot be asked.
RECT WorkAreaAt(POINT screenPoint);

}  // namespace Vorlune
