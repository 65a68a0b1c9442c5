#pragma once
#include <windows.h>

#include "ui/MessageMap.h"

namespace Vorlune {

// The toolbar's hotkeys as the settings name them, in place of those it held. A key another
// program holds is left out without a word: the settings page tells of it.
void RegisterStoredHotKeys(HWND toolbar);
void UnregisterHotKeys();

// Registers the stored hotkeys; a pressed one runs what its command button runs.
void ServeHotKeys(MessageMap& map, HWND toolbar);

}  // namespace Vorlune
