#pragma once
#include <windows.h>

namespace Vorlune {

// Hides a window and leaves the activation where it is; nothing for a null window.
// ShowWindow(SW_HIDE) of the active window activates another program's window instead, which
// then repaints as active into the next frozen image and, under X, may raise itself above
// the next window shown while it handles that activation.
void HideKeepingActivation(HWND window);

}  // namespace Vorlune
