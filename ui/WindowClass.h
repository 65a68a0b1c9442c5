#pragma once
#include <windows.h>

namespace Vorlune {

// A plain class of this module: no icon, no cursor, the window colour behind. Registering
// a name twice fails harmlessly, so every user may call it before creating a window.
void RegisterPlainWindowClass(const wchar_t* name, WNDPROC procedure);

}  // namespace Vorlune
