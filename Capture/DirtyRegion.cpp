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

}  // namespace Vorlune
