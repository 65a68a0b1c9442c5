#pragma once
#include <windows.h>

#include <functional>

#include "Capture/CapturedImage.h"

// The images pinned to the screen, each in a window of its own until it is closed or the
// program ends.
namespace Vorlune {

// Pins image with its top-left pixel at topLeft, in physical pixels. Throws AnExceptionImpl or
// CaptureException when its window cannot be shown.
void ShowPin(CapturedImage image, POINT topLeft);

// Runs then once no pin is open and every clipboard put has its outcome (a pin's copy may wait for
// the clipboard): at once when none is, else when the last one closes and the clipboard is done.
void AfterLastPin(std::function<void()> then);

}  // namespace Vorlune
