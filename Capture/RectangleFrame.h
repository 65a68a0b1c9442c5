#pragma once
#include <windows.h>

#include <vector>

#include "core/Dpi.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// What one frame of the rectangle overlay marks on the frozen image.
struct RectangleFrame {
    POINT point = {};
    // A selection from anchor to point is under way: its frame is drawn.
    bool selecting = false;
    POINT anchor = {};
    bool crossHair = false;
    bool cursorCircle = false;
    COLORREF colour = 0;
    // Of the monitor under the cursor: the marks' widths and the zoom window's size.
    int dpi = kBaseDpi;
    // 0: no zoom window.
    int magnification = 0;
    RECT zoom = {};
};

// Draws frames; keeps the small surface the zoom window's source is copied to.
class RectangleFramePainter {
public:
    // The whole frame into dc, a size-sized image that must be clean (the frozen image)
    // wherever the marks land and wherever the zoom window reads from.
    void Paint(HDC dc, SIZE size, const RectangleFrame& frame);
    // All but the zoom window, under the same terms.
    void PaintMarks(HDC dc, SIZE size, const RectangleFrame& frame);
    // The zoom window alone into dc, enlarged from marked: an image PaintMarks drew into.
    void PaintZoom(HDC dc, HDC marked, const RectangleFrame& frame);

private:
    bool MakeScratch(int side);

    MemorySurface scratch_;
    int scratchSide_ = 0;
};

// Every rectangle PaintMarks can touch for frame, clipped to the image.
std::vector<RECT> RectangleFrameRects(const RectangleFrame& frame, SIZE size);
// The rectangle PaintZoom covers, frame included, clipped to the image; none without a zoom window.
std::vector<RECT> ZoomWindowRects(const RectangleFrame& frame, SIZE size);

}  // namespace Vorlune
