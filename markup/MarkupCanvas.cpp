#include "markup/MarkupCanvas.h"

#include "Capture/CaptureErrors.h"
#include "Capture/Dib.h"

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

}  // namespace Vorlune
