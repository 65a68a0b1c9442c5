#pragma once
#include <vector>

#include "core/Geometry.h"
#include "core/Marks.h"
#include "core/TextLayout.h"
#include "markup/MarkupCanvas.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// Draws marks in their order onto surface, only inside clip: slanted and round ones
// anti-aliased with GDI+, a rectangle's straight edges crisp, the highlighter multiplied onto
// what lies below, and a pixelate or blur area averaged from what lies below at its turn, so
// such an area must lie wholly inside clip. Spotlights draw nothing: the canvas dims around
// them. Needs a started GdiPlusSession.
void DrawMarks(const PixelSurface& surface, const std::vector<const Mark*>& marks, const Rect& clip);

// The text marks' face measured as DrawMarks draws it, on a DC of its own.
class GdiTextFont : public TextFont {
public:
    GdiTextFont();
    int LineHeight(int width) const override;
    int LineWidth(std::wstring_view line, int width) const override;

private:
    OwnedDC dc_;
};

}  // namespace Vorlune
