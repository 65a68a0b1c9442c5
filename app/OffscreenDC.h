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

    // A surface of size, compatible with the screen.
    void Create(SIZE size);
    void Reset();
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

}  // namespace Vorlune
