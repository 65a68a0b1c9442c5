#pragma once
#include <windows.h>

#include <vector>

namespace Vorlune {

// The bounding rectangle of all monitors, from the system metrics; its origin may be negative.
RECT VirtualScreenRect();
// The work area of the monitor nearest the screen point, or the primary one's when the
// monitor cannot be asked.
RECT WorkAreaAt(POINT screenPoint);
// Every monitor's rectangle in screen coordinates.
std::vector<RECT> MonitorRects();

}  // namespace Vorlune
