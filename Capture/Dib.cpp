#include "Capture/Dib.h"

#include "core/BmpLayout.h"

namespace Vorlune {

BITMAPINFO DibInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

namespace {
HBITMAP CreateDib(int width, int height, WORD bitCount) {
    if (!BmpPixelDataSize(width, height)) return nullptr;
    const BITMAPINFO info = DibInfo(width, height, bitCount);
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}
}  // namespace

HBITMAP CreateDib24(int width, int height) { return CreateDib(width, height, 24); }

HBITMAP CreateDib32(int width, int height) { return CreateDib(width, height, 32); }

}  // namespace Vorlune
