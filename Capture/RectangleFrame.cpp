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

}  // namespace

void RectangleFramePainter::Paint(HDC dc, SIZE size, const RectangleFrame& frame) {
    const POINT p = frame.point;
    if (frame.cursorCircle) DrawCursorMarker(dc, p, frame.colour);
    if (frame.selecting) DrawFrame(dc, SelectionFrame(frame), frame.colour);
    if (frame.crossHair) {
        DrawLine(dc, frame.colour, 0, p.y, size.cx, p.y);
        DrawLine(dc, frame.colour, p.x, 0, p.x, size.cy - 1);
    }
    // Last, so that the lines are magnified too.
    if (frame.magnification > 0) PaintZoom(dc, frame);
}

void RectangleFramePainter::PaintZoom(HDC dc, const RectangleFrame& frame) {
    if (!scratch_ && !MakeScratch()) return;
    const int side = ZoomSourceSide(frame.magnification);
    const int half = side / 2;
    // The source square is copied out before the window is painted: with factors 1 and 2
    // it reaches into the window itself. What lies off the image stays black.
    PatBlt(scratch_.dc(), 0, 0, side, side, BLACKNESS);
    BitBlt(scratch_.dc(), 0, 0, side, side, dc, frame.point.x - half, frame.point.y - half, SRCCOPY);
    DrawFilledRectangle(dc, frame.zoom, 0x000000, 0x000000);
    StretchBlt(dc, frame.zoom.left, frame.zoom.top, kZoomSize, kZoomSize, scratch_.dc(), 0, 0, side, side, SRCCOPY);
    DrawFrame(dc, frame.zoom, frame.colour);
}

bool RectangleFramePainter::MakeScratch() {
    // Both or neither: a failure now is tried again on the next paint, not given up for good.
    const BITMAPINFO info = DibInfo(kZoomSize, kZoomSize, 32);
    void* bits = nullptr;
    MemorySurface scratch(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!scratch) return false;
    scratch_ = std::move(scratch);
    return true;
}

std::vector<RECT> RectangleFrameRects(const RectangleFrame& frame, SIZE size) {
    std::vector<RECT> rects;
    const POINT p = frame.point;
    if (frame.cursorCircle) AddClipped(rects, CursorMarkerBounds(p), size);
    if (frame.selecting) AddFrameLines(rects, SelectionFrame(frame), size);
    if (frame.crossHair) {
        AddClipped(rects, {0, p.y, size.cx, p.y + 1}, size);
        AddClipped(rects, {p.x, 0, p.x + 1, size.cy}, size);
    }
    if (frame.magnification > 0) {
        const RECT z = frame.zoom;
        AddClipped(rects, {z.left, z.top, z.right + 1, z.bottom + 1}, size);  // the frame takes right and bottom
    }
    return rects;
}

}  // namespace Vorlune
