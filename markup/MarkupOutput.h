#pragma once
#include <windows.h>

#include "Capture/ImageFileNamer.h"
#include "core/Geometry.h"

// The marked-up image out of the window, through the capture's own output step.
namespace Vorlune {

// The area of composed as a new image file, on the clipboard and in the viewer, as the settings
// say; false when the file was not written (a box said so, and the image is on the clipboard).
// Throws AnExceptionImpl when the area cannot be copied or encoded.
bool OutputMarkedUp(ImageFileNamer& namer, HDC composed, HWND owner, const Rect& area);

// The area on the clipboard as a bitmap and as PNG, whatever the settings say; a box says so when
// the clipboard refuses it. Throws AnExceptionImpl as above.
void CopyMarkedUp(HDC composed, HWND owner, const Rect& area);

}  // namespace Vorlune
