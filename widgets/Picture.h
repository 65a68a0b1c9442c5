#pragma once
#include <windows.h>

namespace Vorlune {

// A bitmap resource drawn unscaled with one colour left transparent. Loaded once, with a mask
// of its transparent pixels made once: two plain blits a paint, where a transparent blit costs
// ten times as much under Wine.
class Picture {
public:
    Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent);
    // Each memory DC goes first, then its bitmap.
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Draws nothing when the bitmap could not be loaded.
    void Draw(HDC hdc, POINT at) const;

private:
    HBITMAP image_ = nullptr;  // transparent pixels turned black
    HBITMAP mask_ = nullptr;   // white where transparent
    HDC imageDC_ = nullptr;
    HDC maskDC_ = nullptr;
    SIZE size_;
    bool ready_ = false;
};

}  // namespace Vorlune
