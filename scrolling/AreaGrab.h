#pragma once
#include <windows.h>

#include "core/ScrollFrame.h"

namespace Vorlune {

// What the screen shows in area (screen coordinates) now. Throws AnExceptionImpl when it
// cannot be copied.
ScrollFrame GrabScreenArea(const RECT& area);

}  // namespace Vorlune
