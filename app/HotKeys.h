#pragma once
#include <windows.h>

namespace Vorlune {

// The toolbar's hotkeys as the settings name them, in place of those it held. A key another
// program holds is left out without a word: the settings page tells of it.
void RegisterStoredHotKeys(HWND toolbar);
void UnregisterHotKeys();

// WM_HOTKEY with the id of a registered hotkey: runs what its command button runs, once a press
// however long the key is held.
void RunPressedHotKey(WPARAM id, LPARAM keys, HWND toolbar);

// The toolbar's timer that watches for the keys of hotkeys that ran to be let go, and its tick.
constexpr UINT_PTR kHeldHotKeysTimer = 1;
void PollHeldHotKeys(HWND toolbar);

}  // namespace Vorlune
