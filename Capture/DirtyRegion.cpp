#include "Capture/DirtyRegion.h"

#include <utility>

#include "Capture/ScreenSnapshot.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

void DirtyRegion::Restore(HDC work, HDC frozen) const {
    for (const RECT& r : rects_)
        BitBlt(work, r.left, r.top, r.right - r.left, r.bottom - r.top, frozen, r.left, r.top, kSnapshotCopy);
}

void DirtyRegion::Replace(HWND window, std::vector<RECT> next, const std::vector<RECT>& once) {
    // One region, one call: each InvalidateRect is a trip to the server.
    const OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    const OwnedRegion piece(CreateRectRgn(0, 0, 0, 0));
    const auto add = [&](const std::vector<RECT>& rects) {
        for (const RECT& r : rects) {
            SetRectRgn(piece.get(), r.left, r.top, r.right, r.bottom);
            CombineRgn(region.get(), region.get(), piece.get(), RGN_OR);
        }
    };
    add(rects_);
    add(next);
    add(once);
    InvalidateRgn(window, region.get(), FALSE);
    rects_ = std::move(next);
}

}  // namespace Vorlune
