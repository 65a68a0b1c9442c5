#include "core/Pixelate.h"

#include <algorithm>
#include <cstddef>

namespace Vorlune {

namespace {
constexpr int kChannels = 3;  // blue, green, red; alpha is set, not averaged
constexpr int kAlpha = 3;
constexpr int kBytesPerPixel = 4;
constexpr std::uint8_t kOpaque = 255;

std::uint8_t* PixelAt(std::uint8_t* bgra, int stride, int x, int y) {
    return bgra + std::ptrdiff_t{y} * stride + std::ptrdiff_t{x} * kBytesPerPixel;
}

void AverageBlock(std::uint8_t* bgra, int stride, const Rect& block) {
    std::uint64_t sums[kChannels] = {};
    for (int y = block.top; y < block.bottom; ++y)
        for (int x = block.left; x < block.right; ++x)
            for (int c = 0; c < kChannels; ++c) sums[c] += PixelAt(bgra, stride, x, y)[c];
    const std::uint64_t count = std::uint64_t(block.right - block.left) * std::uint64_t(block.bottom - block.top);
    std::uint8_t mean[kChannels];
    for (int c = 0; c < kChannels; ++c) mean[c] = static_cast<std::uint8_t>((sums[c] + count / 2) / count);
    for (int y = block.top; y < block.bottom; ++y)
        for (int x = block.left; x < block.right; ++x) {
            std::uint8_t* pixel = PixelAt(bgra, stride, x, y);
            std::copy(mean, mean + kChannels, pixel);
            pixel[kAlpha] = kOpaque;
        }
}
}  // namespace

void Pixelate(std::uint8_t* bgra, int stride, Size image, Rect area, int block) {
    block = std::max(block, 1);
    const Rect clamped = ClampToSize(area, image);
    for (int top = clamped.top; top < clamped.bottom; top += block)
        for (int left = clamped.left; left < clamped.right; left += block)
            AverageBlock(bgra, stride,
                         {left, top, std::min(left + block, clamped.right), std::min(top + block, clamped.bottom)});
}

}  // namespace Vorlune
