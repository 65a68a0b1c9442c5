#pragma once
#include <windows.h>

namespace Vorlune {

// Hides a window and leaves the activation where it is; nothing for a null window.
// ShowWindow(SW_HIDE) of the active window activates another program's window instead, which
// then repaints as active into the next frozen image and, under X, may raise itself above
// the next window shown while it handles that activation.
void HideKeepingActivation(HWND window);

// Makes now the time of this thread's last message. Under X the thread's next activation asks
// for the keyboard with that time, and the X server refuses a request older than the last
// change of focus: after activating other programs' windows, this thread's own would fail.
void RenewMessageTime();

}  // namespace Vorlune
