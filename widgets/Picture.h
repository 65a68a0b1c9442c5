#pragma once
#include <windows.h>

namespace Vorlune {

// A bitmap resource loaded once, drawn unscaled with one colour left transparent.
class Picture {
public:
    Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent);
    // The memory DC goes first, then the bitmap.
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Draws nothing when the bitmap could not be loaded.
    void Draw(HDC hdc, POINT at) const;

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    SIZE size_;
    COLORREF transparent_;
};

}  // namespace Vorlune
