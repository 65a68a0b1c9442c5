#pragma once
#include <windows.h>

#include <functional>

#include "Capture/CapturedImage.h"

namespace Vorlune {

// Where a pick goes instead of the output step while the mark-up toggle is on: the picked
// image, the screen rectangle it was picked from, and the end of the capture command, which
// the receiver calls once when it is done with the image.
using PickHandOff = std::function<void(CapturedImage image, const RECT& screenArea, std::function<void()> done)>;

// Set once by the program; none (the default) leaves every pick to the output step.
void SetPickHandOff(PickHandOff handOff);
// The hand-off when one is set and the mark-up toggle is on, else null.
const PickHandOff* ActivePickHandOff();

}  // namespace Vorlune
