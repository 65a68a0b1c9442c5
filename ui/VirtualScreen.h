#pragma once
#include <windows.h>

namespace Vorlune {

// The bounding rectangle of all monitors, from the system metrics; its origin may be negative.
RECT VirtualScreenRect();

}  // namespace Vorlune
