#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

// The toolbar's hint window and the mouse tooltip on captures look alike.
inline constexpr COLORREF kToolTipBackground = 0xE1FFFF;

// The text's extent in the tooltip font.
SIZE MeasureToolTipText(HDC dc, const std::wstring& text);

// The text in black on the pale box, framed in grey on box's edges, the right and bottom
// ones included; the DC's colours are left as they were.
void PaintToolTipBox(HDC dc, const RECT& box, const std::wstring& text);

}  // namespace Vorlune
