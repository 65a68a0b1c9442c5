#include "app/OffscreenDC.h"

namespace Vorlune {

void OffscreenDC::CreateDesktopSized() {
    Reset();
    RECT rect = {};
    GetWindowRect(GetDesktopWindow(), &rect);
    HDC screen = GetWindowDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    if (screen != nullptr) ReleaseDC(GetDesktopWindow(), screen);
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
