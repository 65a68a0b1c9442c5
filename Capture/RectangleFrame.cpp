#include "Capture/RectangleFrame.h"

#include <algorithm>
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

// A stretch goes through a buffer of its whole enlarged size, 1.4 MB for the zoom window at
// 200 %; in bands of about this size it stays in the cache on its way to the window.
constexpr int kBandBytes = 128 * 1024;
constexpr int kBufferPixelBytes = 4;  // the window's 32 bits

}  // namespace

void RectangleFramePainter::Paint(HDC dc, SIZE size, const RectangleFrame& frame) {
    PaintMarks(dc, size, frame);
    // Last, so that the lines are magnified too.
    PaintZoom(dc, dc, frame);
}

void RectangleFramePainter::PaintMarks(HDC dc, SIZE size, const RectangleFrame& frame) {
    const POINT p = frame.point;
    const int width = LineWidth(frame.dpi);
    if (frame.cursorCircle) DrawCursorMarker(dc, p, frame.colour, frame.dpi);
    if (frame.selecting) DrawFrame(dc, SelectionFrame(frame), frame.colour, width);
    if (frame.crossHair) {
        DrawLine(dc, frame.colour, 0, p.y, size.cx, p.y, width);
        DrawLine(dc, frame.colour, p.x, 0, p.x, size.cy - 1, width);
    }
}

void RectangleFramePainter::PaintZoom(HDC dc, HDC marked, const RectangleFrame& frame) {
    if (frame.magnification <= 0) return;
    const int zoomSide = frame.zoom.right - frame.zoom.left;
    if (scratchSide_ < zoomSide && !MakeScratch(zoomSide)) return;
    const int side = ZoomSourceSide(frame.magnification, zoomSide);
    const int half = side / 2;
    // The source square is copied out before the window is painted: with factors 1 and 2
    // it reaches into the window itself. What lies off the image stays black.
    PatBlt(scratch_.dc(), 0, 0, side, side, BLACKNESS);
    BitBlt(scratch_.dc(), 0, 0, side, side, marked, frame.point.x - half, frame.point.y - half, SRCCOPY);
    // Bands only where the factor divides the window: each source row then becomes whole rows,
    // and each band the very pixels of that part of one stretch.
    const int rowBytes = zoomSide * kBufferPixelBytes * frame.magnification;
    const int bandRows = side * frame.magnification == zoomSide ? std::max(1, kBandBytes / rowBytes) : side;
    for (int row = 0; row < side; row += bandRows) {
        const int rows = std::min(bandRows, side - row);
        const int top = row * zoomSide / side;
        StretchBlt(dc, frame.zoom.left, frame.zoom.top + top, zoomSide, (row + rows) * zoomSide / side - top,
                   scratch_.dc(), 0, row, side, rows, SRCCOPY);
    }
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
    return rects;
}

std::vector<RECT> ZoomWindowRects(const RectangleFrame& frame, SIZE size) {
    std::vector<RECT> rects;
    const RECT z = frame.zoom;
    if (frame.magnification > 0)
        AddClipped(rects, {z.left, z.top, z.right + 1, z.bottom + 1}, size);  // the frame takes right and bottom
    return rects;
}

}  // namespace Vorlune
