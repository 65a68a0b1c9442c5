#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace Vorlune {

// Both take what they are given to put on the clipboard, ready made, and touch the
// clipboard only then: when it cannot be opened, the user's clipboard stays as it was.
// True when the clipboard holds all the new data.

// CF_BITMAP, and with png bytes also the registered format "PNG" holding them, which
// programs that take PNG prefer. Takes ownership of bitmap: the clipboard keeps it, or it
// is deleted here.
bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap, std::span<const std::uint8_t> png = {});

// CF_UNICODETEXT, and CF_TEXT in the thread's ANSI code page.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

}  // namespace Vorlune
