#include "Capture/RectangleFrame.h"

#include <utility>

#include "Capture/Dib.h"
#include "Capture/DirtyRegion.h"
#include "core/ZoomPlacement.h"
#include "draw/CursorPainter.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// The selection as DrawFrame takes it: right and bottom inside.
RECT SelectionFrame(const RectangleFrame& frame) {
    const RECT area = AreaBetween(frame.anchor, frame.point);
    return {area.left, area.top, area.right - 1, area.bottom - 1};
}

// The first row or column a cross-hair line of width covers, as DrawLine centres it.
LONG LineStart(LONG at, int width) { return at - (width - 1) / 2; }

}  // namespace

void RectangleFramePainter::Paint(HDC dc, SIZE size, const RectangleFrame& frame) {
    const POINT p = frame.point;
    const int width = LineWidth(frame.dpi);
    if (frame.cursorCircle) DrawCursorMarker(dc, p, frame.colour, frame.dpi);
    if (frame.selecting) DrawFrame(dc, SelectionFrame(frame), frame.colour, width);
    if (frame.crossHair) {
        DrawLine(dc, frame.colour, 0, p.y, size.cx, p.y, width);
        DrawLine(dc, frame.colour, p.x, 0, p.x, size.cy - 1, width);
    }
    // Last, so that the lines are magnified too.
    if (frame.magnification > 0) PaintZoom(dc, frame);
}

void RectangleFramePainter::PaintZoom(HDC dc, const RectangleFrame& frame) {
    const int zoomSide = frame.zoom.right - frame.zoom.left;
    if (scratchSide_ < zoomSide && !MakeScratch(zoomSide)) return;
    const int side = ZoomSourceSide(frame.magnification, zoomSide);
    const int half = side / 2;
    // The source square is copied out before the window is painted: with factors 1 and 2
    // it reaches into the window itself. What lies off the image stays black.
    PatBlt(scratch_.dc(), 0, 0, side, side, BLACKNESS);
    BitBlt(scratch_.dc(), 0, 0, side, side, dc, frame.point.x - half, frame.point.y - half, SRCCOPY);
    StretchBlt(dc, frame.zoom.left, frame.zoom.top, zoomSide, zoomSide, scratch_.dc(), 0, 0, side, side, SRCCOPY);
    DrawFrame(dc, frame.zoom, frame.colour, LineWidth(frame.dpi));
}

bool RectangleFramePainter::MakeScratch(int side) {
    // Both or neither: a failure now is tried again on the next paint, not given up for good.
    const BITMAPINFO info = DibInfo(side, side, 32);
    void* bits = nullptr;
    MemorySurface scratch(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!scratch) return false;
    scratch_ = std::move(scratch);
    scratchSide_ = side;
    return true;
}

std::vector<RECT> RectangleFrameRects(const RectangleFrame& frame, SIZE size) {
    std::vector<RECT> rects;
    const POINT p = frame.point;
    const int width = LineWidth(frame.dpi);
    if (frame.cursorCircle) AddClipped(rects, CursorMarkerBounds(p, frame.dpi), size);
    if (frame.selecting) AddFrameLines(rects, SelectionFrame(frame), size, width);
    if (frame.crossHair) {
        const LONG top = LineStart(p.y, width);
        const LONG left = LineStart(p.x, width);
        AddClipped(rects, {0, top, size.cx, top + width}, size);
        AddClipped(rects, {left, 0, left + width, size.cy}, size);
    }
    if (frame.magnification > 0) {
        const RECT z = frame.zoom;
        AddClipped(rects, {z.left, z.top, z.right + 1, z.bottom + 1}, size);  // the frame takes right and bottom
    }
    return rects;
}

}  // namespace Vorlune
