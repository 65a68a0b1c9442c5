#pragma once
#include <vector>

#include "core/Geometry.h"
#include "core/Marks.h"
#include "markup/MarkupCanvas.h"

namespace Vorlune {

// Draws marks in their order onto surface, only inside clip: slanted and round ones
// anti-aliased with GDI+, a rectangle's straight edges crisp, the highlighter multiplied onto
// what lies below, and a pixelate area averaged from what lies below at its turn, so a
// pixelate area must lie wholly inside clip. Needs a started GdiPlusSession.
void DrawMarks(const PixelSurface& surface, const std::vector<const Mark*>& marks, const Rect& clip);

// Where a text mark's lines lie in image pixels as DrawMarks draws them, measured on dc; an
// empty text has the height of one line.
Rect MeasureText(HDC dc, const Mark& text);

}  // namespace Vorlune
