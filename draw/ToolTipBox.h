#pragma once
#include <windows.h>

#include <string>

#include "core/Dpi.h"

namespace Vorlune {

// The toolbar's hint window and the mouse tooltip on captures look alike.
inline constexpr COLORREF kToolTipBackground = 0xE1FFFF;

// The text's extent in the tooltip font at dpi.
SIZE MeasureToolTipText(HDC dc, const std::wstring& text, int dpi = kBaseDpi);

// The text in black on the pale box, framed in grey on box's edges, the right and bottom
// ones included, font and frame at dpi; the DC's colours are left as they were.
void PaintToolTipBox(HDC dc, const RECT& box, const std::wstring& text, int dpi = kBaseDpi);

}  // namespace Vorlune
