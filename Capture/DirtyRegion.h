#pragma once
#include <windows.h>

#include <vector>

#include "ui/Geometry.h"

namespace Vorlune {

// The rectangles the overlay's last frame drew into. The next frame puts back only these
// from the frozen image and repaints only them and its own: a list, not one bounding box,
// so that a cross-hair costs two thin strips instead of the whole screen.
class DirtyRegion {
public:
    // Copies frozen over work on every rectangle the last frame drew into work.
    void Restore(HDC work, HDC frozen) const;
    // Invalidates the last frame's rectangles and next's, then keeps next as the last frame.
    // once: more to invalidate this time alone, never restored (the changes of what next paints
    // straight onto the window).
    void Replace(HWND window, std::vector<RECT> next, const std::vector<RECT>& once = {});
    // work holds the untouched image again.
    void Forget() { rects_.clear(); }
    const std::vector<RECT>& Rects() const { return rects_; }

private:
    std::vector<RECT> rects_;
};

}  // namespace Vorlune
