#include "markup/ImageView.h"

#include <algorithm>

#include "core/MarkEdits.h"
#include "core/MarkupView.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {
constexpr COLORREF kBackdrop = 0x505050;  // around an image smaller than the window
constexpr int kHandlePixels = 7;  // on the screen
constexpr COLORREF kHandleFill = 0xFFFFFF, kHandleEdge = 0x000000;
constexpr int kFrameLine = 2;
}  // namespace

void ImageView::Set(int zoom, Point scroll, Size imageSize, Size viewSize) {
    zoom_ = zoom;
    scroll_ = ClampScroll(scroll, ZoomedSize(imageSize, zoom_), viewSize);
}

Point ImageView::ImagePoint(POINT client) const { return ToImage(ViewPoint(client), zoom_, scroll_); }

POINT ImageView::ClientPoint(Point image) const {
    const Point client = ToClient(image, zoom_, scroll_);
    return {client.x, client.y + top_};
}

RECT ImageView::ClientRect(const Rect& image) const {
    const POINT low = ClientPoint(TopLeft(image));
    const POINT high = ClientPoint({image.right, image.bottom});
    return {low.x, low.y, high.x, high.y};
}

int ImageView::HandleSize() const { return std::max(3, kHandlePixels * 100 / zoom_); }

void ImageView::PaintImage(HDC paint, const RECT& update, HDC composed, const Rect& shown) const {
    const RECT image = ClientRect(shown);
    RECT painted = {};
    if (IntersectRect(&painted, &update, &image)) {
        // Only the image pixels under the paint, so a small change never stretches the whole image.
        const Point low = ImagePoint({painted.left, painted.top});
        const Point high = ImagePoint({painted.right - 1, painted.bottom - 1});
        const Rect source = Intersect({low.x, low.y, high.x + 1, high.y + 1}, shown);
        const RECT to = ClientRect(source);
        SetStretchBltMode(paint, zoom_ < 100 ? HALFTONE : COLORONCOLOR);
        SetBrushOrgEx(paint, 0, 0, nullptr);
        StretchBlt(paint, to.left, to.top, to.right - to.left, to.bottom - to.top, composed, source.left, source.top,
                   source.right - source.left, source.bottom - source.top, SRCCOPY);
    }
    const int saved = SaveDC(paint);
    ExcludeClipRect(paint, image.left, image.top, image.right, image.bottom);
    ExcludeClipRect(paint, 0, 0, update.right, top_);
    const OwnedBrush backdrop(CreateSolidBrush(kBackdrop));
    FillRect(paint, &update, backdrop.get());
    RestoreDC(paint, saved);
}

void ImageView::PaintHandles(HDC paint, const Mark& mark) const {
    for (const Rect& handle : HandlesOf(mark, HandleSize()))
        DrawFilledRectangle(paint, ClientRect(handle), kHandleEdge, kHandleFill);
}

void ImageView::PaintFrame(HDC paint, const Rect& image) const {
    const RECT r = ClientRect(image);
    const int side = r.bottom - r.top - 2 * kFrameLine;
    PatBlt(paint, r.left, r.top, r.right - r.left, kFrameLine, DSTINVERT);
    PatBlt(paint, r.left, r.bottom - kFrameLine, r.right - r.left, kFrameLine, DSTINVERT);
    PatBlt(paint, r.left, r.top + kFrameLine, kFrameLine, side, DSTINVERT);
    PatBlt(paint, r.right - kFrameLine, r.top + kFrameLine, kFrameLine, side, DSTINVERT);
}

void ImageView::PaintCaret(HDC paint, const Rect& caret) const {
    const RECT r = ClientRect(caret);
    PatBlt(paint, r.left, r.top, std::max<LONG>(r.right - r.left, 1), r.bottom - r.top, DSTINVERT);
}

}  // namespace Vorlune
