#pragma once
#include <cstddef>

#include "core/Geometry.h"
#include "core/MarkupKeys.h"

namespace Vorlune {

constexpr int kToolCount = 13;  // in the order of MarkupTool
constexpr int kWidthCount = static_cast<int>(std::size(kWidths));

// Where the mark-up window's tool strip has its buttons, across the top of the client: the
// tools, the palette in two rows of eight, the widths, the fill and the pin. Given at 96 DPI and scaled
// edge by edge.
struct ToolStripLayout {
    Rect strip;
    Rect tools[kToolCount];
    Rect colours[kPaletteSize];
    Rect widths[kWidthCount];
    Rect fill;
    Rect pin;
};

ToolStripLayout LayOutToolStrip(int dpi, int clientWidth);
// The client width the strip needs at dpi.
int ToolStripWidth(int dpi);

}  // namespace Vorlune
