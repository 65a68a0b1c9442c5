#include "markup/MarkupCanvas.h"

#include "Capture/CaptureErrors.h"
#include "Capture/Dib.h"
#include "core/Spotlight.h"
#include "markup/MarkRenderer.h"

namespace Vorlune {

namespace {
constexpr WORD kBitsPerPixel = 32;

HBITMAP CreateTopDownDib(Size size, std::uint8_t*& bits) {
    BITMAPINFO info = DibInfo(size.cx, -size.cy, kBitsPerPixel);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = bitmap != nullptr ? static_cast<std::uint8_t*>(pixels) : nullptr;
    return bitmap;
}
// Until no pixelate or blur area is left partly inside: growing may reach another one.
Rect TakeInAreasReadingBelow(const std::vector<const Mark*>& marks, Rect area) {
    for (bool grown = true; grown;) {
        grown = false;
        for (const Mark* mark : marks) {
            if (!ReadsBelow(mark->kind)) continue;
            const Rect pixelated = PointArea(*mark);
            if (!HasArea(Intersect(area, pixelated)) || Union(area, pixelated) == area) continue;
            area = Union(area, pixelated);
            grown = true;
        }
    }
    return area;
}
}  // namespace

PixelSurface::PixelSurface(Size size) : size_(size), surface_(CreateTopDownDib(size, bits_)) {}

MarkupCanvas::MarkupCanvas(const CapturedImage& image)
    : base_({image.Width(), image.Height()}), composed_({image.Width(), image.Height()}) {
    if (!base_ || !composed_) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    const Size size = ImageSize();
    {
        const OwnedDC source(CreateCompatibleDC(nullptr));
        const SelectGuard selected(source.get(), image.Bitmap());
        BitBlt(base_.dc(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
    BitBlt(composed_.dc(), 0, 0, size.cx, size.cy, base_.dc(), 0, 0, SRCCOPY);
    GdiFlush();  // the bits are read directly from here on
}

Rect MarkupCanvas::Compose(const std::vector<const Mark*>& marks, Rect area) {
    area = ClampToSize(TakeInAreasReadingBelow(marks, area), ImageSize());
    if (!HasArea(area)) return area;
    BitBlt(composed_.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, base_.dc(), area.left,
           area.top, SRCCOPY);
    // The spotlight darkens the picture, never the marks on it.
    std::vector<Rect> holes;
    for (const Mark* mark : marks)
        if (mark->kind == MarkKind::Spotlight) holes.push_back(PointArea(*mark));
    if (!holes.empty()) {
        GdiFlush();
        DimOutside(composed_.Bits(), composed_.Stride(), ImageSize(), area, holes);
    }
    DrawMarks(composed_, marks, area);
    return area;
}

}  // namespace Vorlune
