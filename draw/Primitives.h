#pragma once
#include <windows.h>

#include "core/Colours.h"

namespace Vorlune {

// Each primitive leaves the DC's pen and brush as it found them. Pens are one pixel wide; a
// line or frame of width n is n of them side by side.

// From (x1, y1) up to, not including, (x2, y2); a wider line spreads across it, the extra pixel
// of an even width below or right of it.
void DrawLine(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2, int width = 1);
// GDI Rectangle: outline on the border, right and bottom excluded.
void DrawFilledRectangle(HDC hdc, const RECT& rect, COLORREF penColour, COLORREF brushColour);
// Closed outline through all four corners, right and bottom included.
// A wider frame grows inwards.
void DrawFrame(HDC hdc, const RECT& rect, COLORREF colour, int width = 1);
// Inside the rect: left and top in colourA, right and bottom in colourB.
void DrawBevelFrame(HDC hdc, COLORREF colourA, COLORREF colourB, const RECT& rect, int width = 1);

// The setting AuxiliaryLineColor as a colour; out of range gives red.
COLORREF GetAuxiliaryLineColor();

}  // namespace Vorlune
