#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace Vorlune {

// SHBrowseForFolderW opened at initial, with caption as its window title; empty when
// cancelled or when the pick is not a file-system path.
std::wstring BrowseForPath(UINT flags, HWND owner, const std::wstring& initial, const std::wstring& caption,
                           const std::wstring& instruction);

std::wstring GetWindowTextString(HWND window);
// At most 199 characters.
std::wstring GetTreeItemText(HWND tree, HTREEITEM item);
bool SelectTreeItemIfText(HWND tree, HTREEITEM item, const std::wstring& text);

// Asks first; true only when the INI file existed and is gone.
bool ResetSettings(HWND dialog);

// The message box of the settings dialog: application title, exclamation icon.
void ShowSettingsMessage(HWND owner, const std::wstring& text);

}  // namespace Vorlune
