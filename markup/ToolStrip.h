#pragma once
#include <windows.h>

#include <vector>

#include "core/MarkupKeys.h"
#include "core/TextId.h"
#include "core/ToolStripLayout.h"
#include "ui/GdiOwners.h"
#include "widgets/Picture.h"

namespace Vorlune {

// The mark-up window's tools, colours and widths across the top of its client, drawn as the
// toolbar's toggles are, each with a hint in the current language.
class ToolStrip {
public:
    ToolStrip(HWND window, int dpi, int clientWidth);

    int Height() const { return layout_.strip.bottom; }
    // The strip runs across a client of a new width.
    void Stretch(int clientWidth) { layout_.strip.right = clientWidth; }
    void Draw(HDC dc, MarkupTool tool, int colourIndex, int width, bool filled) const;

    // What a click at a client point picks.
    ToolPick At(POINT point) const;
    // The pin button is at a client point.
    bool PinAt(POINT point) const { return Contains(layout_.pin, Point{point.x, point.y}); }

private:
    void AddHint(const Rect& rect, TextId text);

    HWND window_;
    int dpi_;
    ToolStripLayout layout_;
    std::vector<Picture> tools_;  // in the order of MarkupTool
    Picture pin_;
    OwnedWindow hints_;
    UINT_PTR nextHint_ = 0;
};

}  // namespace Vorlune
