#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/Dpi.h"
#include "core/ZoomChanges.h"
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

// Draws frames; keeps the zoom window last taken: its source square, its enlargement, and
// where it stands, to tell where the next one differs.
class RectangleFramePainter {
public:
    // All but the zoom window into dc, a size-sized image that must be clean (the frozen image)
    // wherever the marks land and wherever the zoom window reads from.
    void PaintMarks(HDC dc, SIZE size, const RectangleFrame& frame);
    // Takes frame's zoom window from marked, an image PaintMarks drew into: the lines are
    // magnified too. Gives back where an
    // image that shows the one taken before must be drawn again, clipped to size.
    std::vector<RECT> TakeZoom(HDC marked, SIZE size, const RectangleFrame& frame);
    // The zoom window last taken, for frame, into dc; false when there is none.
    bool PaintZoom(HDC dc, const RectangleFrame& frame);
    // Nothing shows the zoom window taken last: the next one is drawn whole.
    void ForgetZoom() { taken_ = {}; }

private:
    // A 32-bit surface, top row first, whose pixels are read and written directly too.
    struct Pixels {
        MemorySurface surface;
        std::uint32_t* bits = nullptr;
    };
    bool MakeSurfaces(int side);
    void Enlarge(const ZoomPicture& picture, int zoomSide);

    Pixels source_;
    Pixels enlarged_;
    int surfaceSide_ = 0;
    ZoomPicture taken_;
};

// Every rectangle PaintMarks can touch for frame, clipped to the image.
std::vector<RECT> RectangleFrameRects(const RectangleFrame& frame, SIZE size);
// The rectangle PaintZoom covers, frame included, clipped to the image; none without a zoom window.
std::vector<RECT> ZoomWindowRects(const RectangleFrame& frame, SIZE size);

}  // namespace Vorlune
