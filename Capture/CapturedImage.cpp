#include "Capture/CapturedImage.h"

#include "Capture/Dib.h"
#include "ui/Clipboard.h"

namespace Vorlune {

CapturedImage::~CapturedImage() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

CapturedImage::CapturedImage(CapturedImage&& other) noexcept
    : bitmap_(other.bitmap_), bits_(other.bits_), width_(other.width_), height_(other.height_),
      pixelBytes_(other.pixelBytes_) {
    other.bitmap_ = nullptr;
    other.bits_ = nullptr;
}

bool CopyImageToClipboard(HWND owner, const CapturedImage& image, std::span<const std::uint8_t> png) {
    const BITMAPINFO info = DibInfo(image.Width(), image.Height(), 24);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, image.Bits(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return PutBitmapOnClipboard(owner, copy, png);
}

}  // namespace Vorlune
