#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

// " Handle=0x0000001C, Width=640, Height=480 " with the labels of the current language;
// the handle's low 32 bits as eight upper-case hexadecimal digits.
std::wstring BuildMouseToolTipText(HWND window, const RECT& rect);

// The description box for a text of textSize at point: below and right of the cursor,
// above it when it would reach the work area's bottom, left of it when it would reach
// the right. All in one coordinate system.
RECT PlaceMouseToolTip(POINT point, SIZE textSize, SIZE cursorSize, const RECT& workArea);

// The box with the text next to point, into a DC showing screenBounds; point in that DC's
// coordinates. Returns what it drew over, right and bottom outside.
RECT DrawMouseToolTip(HDC dc, const RECT& screenBounds, POINT point, const std::wstring& text);

// Puts the text on the clipboard as CF_TEXT, only when the ClipBoard setting is 3.
// The clipboard keeps its content when the text cannot be put there.
void CopyMouseToolTipText(HWND owner, const std::wstring& text);

}  // namespace Vorlune
