#pragma once
#include <cstddef>
#include <cstdint>

// 32-bit BGRA pixels in rows, top row first, stride bytes apart, as the mark-up window's
// surfaces hold them and its redaction and dimming work on them.
namespace Vorlune {

constexpr int kColourChannels = 3;  // blue, green, red; alpha is set, never averaged
constexpr int kAlphaChannel = 3;
constexpr int kBytesPerPixel = 4;
constexpr std::uint8_t kOpaque = 255;

inline std::uint8_t* PixelAt(std::uint8_t* bgra, int stride, int x, int y) {
    return bgra + std::ptrdiff_t{y} * stride + std::ptrdiff_t{x} * kBytesPerPixel;
}

}  // namespace Vorlune
