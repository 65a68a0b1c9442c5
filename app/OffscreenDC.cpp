#include "app/OffscreenDC.h"

namespace Vorlune {

void OffscreenDC::Create(SIZE size) {
    Reset();
    HDC screen = GetWindowDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, size.cx, size.cy);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ != nullptr && bitmap_ != nullptr) SelectObject(dc_, bitmap_);
}

void OffscreenDC::Reset() {
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
}

}  // namespace Vorlune
