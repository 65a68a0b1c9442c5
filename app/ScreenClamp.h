#pragma once
#include <windows.h>

namespace Vorlune {

// A stored position outside the virtual screen (or on/after its right or bottom edge)
// is replaced coordinate by coordinate with the middle of the virtual screen.
POINT ClampToVirtualScreen(POINT position, const RECT& virtualScreen);

}  // namespace Vorlune
