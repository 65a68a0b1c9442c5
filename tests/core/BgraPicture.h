#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/Geometry.h"

namespace Vorlune {

using Pixel = std::vector<std::uint8_t>;
constexpr int kPadding = 8;  // bytes past each row, which must stay as they are
constexpr std::uint8_t kPaddingByte = 0xAB;

// 32-bit BGRA rows with bytes past each row's end, as the redaction and dimming take them. Blue
// is the column, green the row and red their sum, so that a mean is plain to see.
struct Picture {
    explicit Picture(Size size) : size(size), stride(size.cx * 4 + kPadding), bytes(stride * size.cy, kPaddingByte) {
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) Set(x, y, {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x + y), 7});
    }
    std::uint8_t* At(int x, int y) { return bytes.data() + y * stride + x * 4; }
    Pixel Get(int x, int y) { return {At(x, y), At(x, y) + 4}; }
    void Set(int x, int y, const Pixel& pixel) { std::copy(pixel.begin(), pixel.end(), At(x, y)); }

    Size size;
    int stride;
    std::vector<std::uint8_t> bytes;
};

}  // namespace Vorlune
