#pragma once
#include <windows.h>

#include <vector>

#include "Capture/DwmQueries.h"
#include "Capture/WindowImage.h"
#include "Capture/WindowList.h"

namespace Vorlune {

// Raises the listed windows one at a time, from the bottom of the Z-order up, and copies
// each from the screen once it has repainted. Windows that are hidden, minimised, hung or
// off the screen (the virtual screen's rectangle) at their turn are left where they are and not pictured, nor is a
// window whose bitmap cannot be made. However it ends, even by an exception, the windows
// are put back: the same order, the same topmost ones, nothing shown or moved.
std::vector<WindowImage> PictureWindows(const std::vector<TopLevelEntry>& windows, const RECT& screen,
                                        const DwmQueries& dwm);

}  // namespace Vorlune
