#pragma once
#include <windows.h>

#include "ui/GdiOwners.h"

namespace Vorlune {

// A bitmap resource drawn unscaled with one colour left transparent. Loaded once, with a mask
// of its transparent pixels made once: two plain blits a paint, where a transparent blit costs
// ten times as much under Wine.
class Picture {
public:
    Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent);

    // Draws nothing when the bitmap could not be loaded.
    void Draw(HDC hdc, POINT at) const;

private:
    MemorySurface image_;  // transparent pixels turned black
    MemorySurface mask_;  // white where transparent
    SIZE size_;
    bool ready_ = false;
};

}  // namespace Vorlune
