#include "core/Blur.h"

#include <algorithm>
#include <vector>

#include "core/Bgra.h"

namespace Vorlune {

namespace {
// One line of the area, pixels step bytes apart, averaged in place over a sliding window.
void BlurLine(std::uint8_t* first, std::ptrdiff_t step, int length, int radius, std::vector<std::uint32_t>& sums) {
    sums.assign(std::size_t(length + 1) * kColourChannels, 0);
    for (int i = 0; i < length; ++i)
        for (int c = 0; c < kColourChannels; ++c)
            sums[std::size_t(i + 1) * kColourChannels + c] =
                sums[std::size_t(i) * kColourChannels + c] + first[i * step + c];
    for (int i = 0; i < length; ++i) {
        const int low = std::max(0, i - radius), high = std::min(length, i + radius + 1);
        const std::uint32_t count = std::uint32_t(high - low);
        std::uint8_t* pixel = first + i * step;
        for (int c = 0; c < kColourChannels; ++c) {
            const std::uint32_t sum =
                sums[std::size_t(high) * kColourChannels + c] - sums[std::size_t(low) * kColourChannels + c];
            pixel[c] = static_cast<std::uint8_t>((sum + count / 2) / count);
        }
        pixel[kAlphaChannel] = kOpaque;
    }
}
}  // namespace

void Blur(std::uint8_t* bgra, int stride, Size image, Rect area, int radius, int passes) {
    const Rect clamped = ClampToSize(area, image);
    if (!HasArea(clamped)) return;
    const Size size = SizeOf(clamped);
    std::vector<std::uint32_t> sums;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = clamped.top; y < clamped.bottom; ++y)
            BlurLine(PixelAt(bgra, stride, clamped.left, y), kBytesPerPixel, size.cx, radius, sums);
        for (int x = clamped.left; x < clamped.right; ++x)
            BlurLine(PixelAt(bgra, stride, x, clamped.top), stride, size.cy, radius, sums);
    }
}

}  // namespace Vorlune
