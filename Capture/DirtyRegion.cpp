#include "Capture/DirtyRegion.h"

#include <utility>

namespace Vorlune {

void DirtyRegion::Restore(HDC work, HDC frozen) const {
    for (const RECT& r : rects_)
        BitBlt(work, r.left, r.top, r.right - r.left, r.bottom - r.top, frozen, r.left, r.top, SRCCOPY | CAPTUREBLT);
}

void DirtyRegion::Replace(HWND window, std::vector<RECT> next) {
    for (const RECT& r : rects_) InvalidateRect(window, &r, FALSE);
    for (const RECT& r : next) InvalidateRect(window, &r, FALSE);
    rects_ = std::move(next);
}

void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size) {
    const RECT all = {0, 0, size.cx, size.cy};
    RECT clipped = {};
    if (IntersectRect(&clipped, &rect, &all)) rects.push_back(clipped);
}

}  // namespace Vorlune
