#include "Capture/DirtyRegion.h"

#include <utility>

#include "Capture/ScreenSnapshot.h"

namespace Vorlune {

void DirtyRegion::Restore(HDC work, HDC frozen) const {
    for (const RECT& r : rects_)
        BitBlt(work, r.left, r.top, r.right - r.left, r.bottom - r.top, frozen, r.left, r.top, kSnapshotCopy);
}

void DirtyRegion::Replace(HWND window, std::vector<RECT> next) {
    // One region, one call: each InvalidateRect is a trip to the server.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    HRGN piece = CreateRectRgn(0, 0, 0, 0);
    for (const std::vector<RECT>* list : {&rects_, &next})
        for (const RECT& r : *list) {
            SetRectRgn(piece, r.left, r.top, r.right, r.bottom);
            CombineRgn(region, region, piece, RGN_OR);
        }
    InvalidateRgn(window, region, FALSE);
    DeleteObject(piece);
    DeleteObject(region);
    rects_ = std::move(next);
}

void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size) {
    const RECT all = {0, 0, size.cx, size.cy};
    RECT clipped = {};
    if (IntersectRect(&clipped, &rect, &all)) rects.push_back(clipped);
}

void AddFrameLines(std::vector<RECT>& rects, const RECT& s, SIZE size) {
    AddClipped(rects, {s.left, s.top, s.right + 1, s.top + 1}, size);
    AddClipped(rects, {s.left, s.bottom, s.right + 1, s.bottom + 1}, size);
    AddClipped(rects, {s.left, s.top + 1, s.left + 1, s.bottom}, size);
    AddClipped(rects, {s.right, s.top + 1, s.right + 1, s.bottom}, size);
}

}  // namespace Vorlune
