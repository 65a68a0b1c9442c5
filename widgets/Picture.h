#pragma once
#include <windows.h>

#include "ui/GdiOwners.h"

namespace Vorlune {

// One picture's bitmap resources, drawn for 100, 150 and 200 %.
struct PictureIds {
    int at100;
    int at150;
    int at200;
};

// A bitmap resource drawn with one colour left transparent, at a DPI: the one drawn for the
// nearest scale, smoothly scaled to the exact size where the scales differ. Loaded once, with
// a mask of its transparent pixels made once: two plain blits a paint, where a transparent
// blit costs ten times as much under Wine.
class Picture {
public:
    // size is the picture's at 96 DPI.
    Picture(HINSTANCE instance, const PictureIds& ids, SIZE size, COLORREF transparent, int dpi);

    // Draws nothing when the bitmap could not be loaded.
    void Draw(HDC hdc, POINT at) const;
    SIZE Size() const { return size_; }

private:
    MemorySurface image_;  // transparent pixels turned black
    MemorySurface mask_;  // white where transparent
    SIZE size_;
    bool ready_ = false;
};

}  // namespace Vorlune
