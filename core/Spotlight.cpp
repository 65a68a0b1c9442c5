#include "core/Spotlight.h"

#include <algorithm>

#include "core/Bgra.h"

namespace Vorlune {

namespace {
constexpr int kPercent = 100;
}  // namespace

void DimOutside(std::uint8_t* bgra, int stride, Size image, Rect area, const std::vector<Rect>& holes) {
    const Rect clamped = ClampToSize(area, image);
    for (int y = clamped.top; y < clamped.bottom; ++y)
        for (int x = clamped.left; x < clamped.right; ++x) {
            if (std::any_of(holes.begin(), holes.end(), [&](const Rect& hole) { return Contains(hole, {x, y}); }))
                continue;
            std::uint8_t* pixel = PixelAt(bgra, stride, x, y);
            for (int c = 0; c < kColourChannels; ++c)
                pixel[c] = static_cast<std::uint8_t>((pixel[c] * kSpotlightKeeps + kPercent / 2) / kPercent);
        }
}

}  // namespace Vorlune
