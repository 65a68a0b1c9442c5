#include "Capture/BmpLayout.h"
#include "Capture/CaptureOutput.h"

namespace Vorlune {

BITMAPINFO Dib24Info(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateDib24(int width, int height) {
    if (!BmpPixelDataSize(width, height)) return nullptr;
    const BITMAPINFO info = Dib24Info(width, height);
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

CapturedImage::~CapturedImage() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

CapturedImage::CapturedImage(CapturedImage&& other) noexcept
    : bitmap_(other.bitmap_), bits_(other.bits_), width_(other.width_), height_(other.height_),
      pixelBytes_(other.pixelBytes_) {
    other.bitmap_ = nullptr;
    other.bits_ = nullptr;
}

}  // namespace Vorlune
