#include "core/Blur.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Bgra.h"

namespace Vorlune {

namespace {
// Dividing by how many pixels a window holds, as a 32-bit multiplication: exact for every sum a
// window of up to 255 8-bit values can reach (kMaxBlurRadius), and far cheaper than a division.
class Means {
public:
    explicit Means(int radius) {
        for (std::uint32_t count = 1; count <= std::uint32_t(2 * radius + 1); ++count)
            inverses_.push_back(((std::uint32_t{1} << kShift) + count - 1) / count);
    }
    std::uint32_t Inverse(std::uint32_t count) const { return inverses_[count - 1]; }
    static std::uint8_t Of(std::uint32_t sum, std::uint32_t count, std::uint32_t inverse) {
        return static_cast<std::uint8_t>(((sum + count / 2) * inverse) >> kShift);
    }

private:
    static constexpr int kShift = 24;
    std::vector<std::uint32_t> inverses_;
};

// Along each row of the area, from a copy of the row: a window sliding one pixel at a time, its
// sum taking in the pixel that enters and giving up the one that leaves.
void BlurRows(std::uint8_t* bgra, int stride, const Rect& area, int radius, const Means& means) {
    const int width = area.right - area.left;
    std::vector<std::uint8_t> line(std::size_t(width + 2 * radius) * kBytesPerPixel, 0);
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* row = PixelAt(bgra, stride, area.left, y);
        // Zeros on both sides: they add nothing to a sum, and the count leaves them out.
        std::memcpy(line.data() + std::size_t(radius) * kBytesPerPixel, row, std::size_t(width) * kBytesPerPixel);
        std::uint32_t sums[kColourChannels] = {};
        for (int x = 0; x < 2 * radius; ++x)
            for (int c = 0; c < kColourChannels; ++c) sums[c] += line[std::size_t(x) * kBytesPerPixel + c];
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* entering = line.data() + std::size_t(x + 2 * radius) * kBytesPerPixel;
            const std::uint8_t* leaving = line.data() + std::size_t(x) * kBytesPerPixel;
            const auto count = static_cast<std::uint32_t>(std::min(width, x + radius + 1) - std::max(0, x - radius));
            const std::uint32_t inverse = means.Inverse(count);
            std::uint8_t* pixel = row + std::ptrdiff_t{x} * kBytesPerPixel;
            for (int c = 0; c < kColourChannels; ++c) {
                sums[c] += entering[c];
                pixel[c] = Means::Of(sums[c], count, inverse);
                sums[c] -= leaving[c];
            }
            pixel[kAlphaChannel] = kOpaque;
        }
    }
}

// Down each column of the area, row by row from a copy of the area, so that memory is read in
// its order: one sum a column and channel, taking in the row below and giving up the row above.
void BlurColumns(std::uint8_t* bgra, int stride, const Rect& area, int radius, const Means& means) {
    const Size size = SizeOf(area);
    const std::size_t rowBytes = std::size_t(size.cx) * kBytesPerPixel;
    std::vector<std::uint8_t> copy(rowBytes * std::size_t(size.cy));
    for (int y = 0; y < size.cy; ++y)
        std::memcpy(copy.data() + rowBytes * y, PixelAt(bgra, stride, area.left, area.top + y), rowBytes);
    std::vector<std::uint32_t> sums(rowBytes, 0);
    const auto add = [&](int y) {
        const std::uint8_t* row = copy.data() + rowBytes * y;
        for (std::size_t i = 0; i < rowBytes; ++i) sums[i] += row[i];
    };
    const auto remove = [&](int y) {
        const std::uint8_t* row = copy.data() + rowBytes * y;
        for (std::size_t i = 0; i < rowBytes; ++i) sums[i] -= row[i];
    };
    for (int y = 0; y <= std::min(radius, size.cy - 1); ++y) add(y);
    for (int y = 0; y < size.cy; ++y) {
        const int low = std::max(0, y - radius), high = std::min(size.cy - 1, y + radius);
        const auto count = static_cast<std::uint32_t>(high - low + 1);
        const std::uint32_t inverse = means.Inverse(count);
        std::uint8_t* row = PixelAt(bgra, stride, area.left, area.top + y);
        for (std::size_t i = 0; i < rowBytes; ++i) row[i] = Means::Of(sums[i], count, inverse);
        for (std::size_t i = kAlphaChannel; i < rowBytes; i += kBytesPerPixel) row[i] = kOpaque;
        if (y + radius + 1 < size.cy) add(y + radius + 1);
        if (y - radius >= 0) remove(y - radius);
    }
}
}  // namespace

void Blur(std::uint8_t* bgra, int stride, Size image, Rect area, int radius, int passes) {
    const Rect clamped = ClampToSize(area, image);
    if (!HasArea(clamped)) return;
    const Means means(radius);
    for (int pass = 0; pass < passes; ++pass) {
        BlurRows(bgra, stride, clamped, radius, means);
        BlurColumns(bgra, stride, clamped, radius, means);
    }
}

}  // namespace Vorlune
