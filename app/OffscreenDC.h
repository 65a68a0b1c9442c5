#pragma once
#include <windows.h>

namespace Vorlune {

// A memory DC that owns the bitmap selected into it; the DC goes first, then the bitmap.
class OffscreenDC {
public:
    OffscreenDC() = default;
    ~OffscreenDC() { Reset(); }
    OffscreenDC(const OffscreenDC&) = delete;
    OffscreenDC& operator=(const OffscreenDC&) = delete;

    // A surface as large as the desktop window, compatible with the screen.
    void CreateDesktopSized();
    void Reset();
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

}  // namespace Vorlune
