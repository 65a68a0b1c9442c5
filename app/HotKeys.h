#pragma once
#include <windows.h>

namespace Vorlune {

// The toolbar's hotkeys as the settings name them, in place of those it held. A key another
// program holds is left out without a word: the settings page tells of it.
void RegisterStoredHotKeys(HWND toolbar);
void UnregisterHotKeys();

// WM_HOTKEY with the id of a registered hotkey: runs what its command button runs.
void RunPressedHotKey(WPARAM id, HWND toolbar);

}  // namespace Vorlune
