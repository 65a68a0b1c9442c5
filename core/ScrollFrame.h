#pragma once
#include <cstdint>
#include <vector>

namespace Vorlune {

// One grab of a scrolled area: 32-bit pixels, top row first, rows packed.
struct ScrollFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    const std::uint32_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
    std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    bool operator==(const ScrollFrame&) const = default;
};

// Columns become rows: a sideways scroll is stitched as a downward one.
ScrollFrame Transposed(const ScrollFrame& frame);

}  // namespace Vorlune
