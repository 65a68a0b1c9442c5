#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <utility>

#include "ui/Clipboard.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// An area copied into its own CreateDib24 bitmap; the bitmap's bits are the pixel data of
// the image file as they are. Owns the bitmap.
class CapturedImage {
public:
    CapturedImage(HBITMAP bitmap, const std::uint8_t* bits, int width, int height, std::uint32_t pixelBytes)
        : bitmap_(bitmap), bits_(bits), width_(width), height_(height), pixelBytes_(pixelBytes) {}
    CapturedImage(CapturedImage&& other) noexcept
        : bitmap_(std::move(other.bitmap_)),
          bits_(std::exchange(other.bits_, nullptr)),
          width_(other.width_),
          height_(other.height_),
          pixelBytes_(other.pixelBytes_) {}
    CapturedImage(const CapturedImage&) = delete;
    CapturedImage& operator=(const CapturedImage&) = delete;
    CapturedImage& operator=(CapturedImage&&) = delete;

    HBITMAP Bitmap() const { return bitmap_.get(); }
    const std::uint8_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t PixelBytes() const { return pixelBytes_; }

private:
    OwnedBitmap bitmap_;
    const std::uint8_t* bits_;
    int width_;
    int height_;
    std::uint32_t pixelBytes_;
};

// Puts a copy of image, made from its bits, on the clipboard as CF_BITMAP, and a copy of png (the
// bytes of the image's PNG file) as "PNG" when it is not empty: the put owns them, so the image
// may go while it waits for the clipboard (see PutBitmapOnClipboard). done gets whether both
// are there.
void CopyImageToClipboard(HWND owner, const CapturedImage& image, std::span<const std::uint8_t> png,
                          ClipboardDone done);

}  // namespace Vorlune
