#include "core/Pixelate.h"

#include <algorithm>
#include <cstddef>

#include "core/Bgra.h"

namespace Vorlune {

namespace {
constexpr int kChannels = kColourChannels;

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
            pixel[kAlphaChannel] = kOpaque;
        }
}
// Where the block that starts at start ends: a remainder thinner than half a block joins it, since
// a sliver of one pixel would keep the original's pixel as it is.
int BlockEnd(int start, int end, int block) {
    const int next = start + block;
    return next >= end || 2 * (end - next) < block ? end : next;
}
}  // namespace

void Pixelate(std::uint8_t* bgra, int stride, Size image, Rect area, int block) {
    block = std::max(block, 1);
    const Rect clamped = ClampToSize(area, image);
    for (int top = clamped.top, bottom = 0; top < clamped.bottom; top = bottom) {
        bottom = BlockEnd(top, clamped.bottom, block);
        for (int left = clamped.left, right = 0; left < clamped.right; left = right) {
            right = BlockEnd(left, clamped.right, block);
            AverageBlock(bgra, stride, {left, top, right, bottom});
        }
    }
}

}  // namespace Vorlune
