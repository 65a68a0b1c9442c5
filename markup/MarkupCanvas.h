#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "Capture/CapturedImage.h"
#include "core/Geometry.h"
#include "core/Marks.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// A 32-bit top-down DIB section in a memory DC, its rows stride bytes apart as core/Pixelate
// takes them.
class PixelSurface {
public:
    explicit PixelSurface(Size size);

    HDC dc() const { return surface_.dc(); }
    std::uint8_t* Bits() const { return bits_; }
    int Stride() const { return size_.cx * 4; }
    Size ImageSize() const { return size_; }
    explicit operator bool() const { return bits_ != nullptr && static_cast<bool>(surface_); }

private:
    Size size_;
    std::uint8_t* bits_ = nullptr;
    MemorySurface surface_;
};

// The picked image as it came, never drawn on, and the image with the marks composed onto it,
// which the window shows and the output is cut from.
class MarkupCanvas {
public:
    // Throws AnExceptionImpl when the surfaces cannot be made.
    explicit MarkupCanvas(const CapturedImage& image);

    Size ImageSize() const { return base_.ImageSize(); }
    HDC Composed() const { return composed_.dc(); }
    // The marks composed anew over the base within area, grown first to take in every pixelate
    // and blur area it touches, which average what lies below them; returns the area composed.
    // With spotlight marks, the base is darkened outside them first.
    Rect Compose(const std::vector<const Mark*>& marks, Rect area);

private:
    PixelSurface base_;
    PixelSurface composed_;
};

}  // namespace Vorlune
