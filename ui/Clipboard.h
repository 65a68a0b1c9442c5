#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

// Both take what they are given to put on the clipboard, ready made, and touch the
// clipboard only then: when it cannot be opened, the user's clipboard stays as it was.
// True when the clipboard holds the new data.

// CF_BITMAP. Takes ownership of bitmap: the clipboard keeps it, or it is deleted here.
bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);

// CF_TEXT in the thread's ANSI code page.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

}  // namespace Vorlune
