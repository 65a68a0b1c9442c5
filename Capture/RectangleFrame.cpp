#include "Capture/RectangleFrame.h"

#include <algorithm>
#include <utility>

#include "Capture/Dib.h"
#include "Capture/DirtyRegion.h"
#include "core/ZoomPlacement.h"
#include "draw/CursorPainter.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

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

std::vector<RECT> RectangleFramePainter::TakeZoom(HDC marked, SIZE size, const RectangleFrame& frame) {
    if (frame.magnification <= 0) return {};
    const int zoomSide = frame.zoom.right - frame.zoom.left;
    if (surfaceSide_ < zoomSide && !MakeSurfaces(zoomSide)) {
        // None to draw: the work surface shows where the last one stood.
        std::vector<RECT> gone;
        const Rect& last = taken_.window;
        if (taken_.side > 0) AddClipped(gone, {last.left, last.top, last.right + 1, last.bottom + 1}, size);
        taken_ = {};
        return gone;
    }
    const int side = ZoomSourceSide(frame.magnification, zoomSide);
    const int half = side / 2;
    // Copied out first: with factors 1 and 2 the source square reaches into the zoom window
    // itself. What lies off the image stays black.
    PatBlt(source_.surface.dc(), 0, 0, side, side, BLACKNESS);
    BitBlt(source_.surface.dc(), 0, 0, side, side, marked, frame.point.x - half, frame.point.y - half, SRCCOPY);
    GdiFlush();
    ZoomPicture now = {ToCore(frame.zoom), frame.magnification, LineWidth(frame.dpi), side, {}};
    for (int y = 0; y < side; ++y) {
        const std::uint32_t* row = source_.bits + static_cast<size_t>(y) * surfaceSide_;
        now.source.insert(now.source.end(), row, row + side);
    }
    const bool alike = now.factor == taken_.factor && SizeOf(now.window) == SizeOf(taken_.window);
    if (!alike || now.source != taken_.source) Enlarge(now, zoomSide);
    std::vector<RECT> changes;
    for (const Rect& r : ZoomChanges(taken_, now, ToCore(size))) changes.push_back(ToWin(r));
    taken_ = std::move(now);
    return changes;
}

void RectangleFramePainter::Enlarge(const ZoomPicture& picture, int zoomSide) {
    const int f = picture.factor;
    const int side = picture.side;
    if (side * f != zoomSide) {
        StretchBlt(enlarged_.surface.dc(), 0, 0, zoomSide, zoomSide, source_.surface.dc(), 0, 0, side, side, SRCCOPY);
        return;
    }
    // Each source pixel a block of f x f, as a stretch makes it, without a stretch's buffer of
    // the whole window on the way.
    for (int y = 0; y < side; ++y) {
        std::uint32_t* row = enlarged_.bits + static_cast<size_t>(y) * f * surfaceSide_;
        for (int x = 0; x < side; ++x) std::fill_n(row + x * f, f, picture.source[y * side + x]);
        for (int k = 1; k < f; ++k) std::copy_n(row, zoomSide, row + static_cast<size_t>(k) * surfaceSide_);
    }
}

bool RectangleFramePainter::PaintZoom(HDC dc, const RectangleFrame& frame) {
    if (frame.magnification <= 0 || taken_.side == 0) return false;
    const int zoomSide = frame.zoom.right - frame.zoom.left;
    BitBlt(dc, frame.zoom.left, frame.zoom.top, zoomSide, zoomSide, enlarged_.surface.dc(), 0, 0, SRCCOPY);
    DrawFrame(dc, frame.zoom, frame.colour, LineWidth(frame.dpi));
    return true;
}

bool RectangleFramePainter::MakeSurfaces(int side) {
    // All or none: a failure now is tried again on the next frame, not given up for good.
    Pixels made[2];
    for (Pixels& pixels : made) {
        const BITMAPINFO info = DibInfo(side, -side, 32);
        void* bits = nullptr;
        pixels.surface = MemorySurface(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!pixels.surface) return false;
        pixels.bits = static_cast<std::uint32_t*>(bits);
    }
    source_ = std::move(made[0]);
    enlarged_ = std::move(made[1]);
    surfaceSide_ = side;
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
