#include "core/BmpLayout.h"

#include <limits>

namespace Vorlune {

namespace {
constexpr std::uint64_t kMaxFileSize = std::numeric_limits<std::int32_t>::max();

template <size_t N>
void Put(std::array<std::uint8_t, N>& bytes, size_t offset, std::uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
}  // namespace

std::optional<std::uint32_t> BmpRowSize(int width) {
    if (width <= 0) return std::nullopt;
    const std::uint64_t row = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
    if (row > kMaxFileSize) return std::nullopt;
    return static_cast<std::uint32_t>(row);
}

std::optional<std::uint32_t> BmpPixelDataSize(int width, int height) {
    const auto row = BmpRowSize(width);
    if (!row || height <= 0) return std::nullopt;
    const std::uint64_t size = static_cast<std::uint64_t>(*row) * static_cast<std::uint64_t>(height);
    if (size + kBmpHeadersSize > kMaxFileSize) return std::nullopt;
    return static_cast<std::uint32_t>(size);
}

std::array<std::uint8_t, kBmpHeadersSize> BmpHeaders(int width, int height) {
    const std::uint32_t pixels = BmpPixelDataSize(width, height).value_or(0);
    std::array<std::uint8_t, kBmpHeadersSize> bytes = {};
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, pixels + kBmpHeadersSize, 4);
    Put(bytes, 10, kBmpHeadersSize, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<std::uint32_t>(width), 4);
    Put(bytes, 22, static_cast<std::uint32_t>(height), 4);  // positive: bottom row first
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, 24, 2);
    // Compression BI_RGB, image size, resolutions and colour counts stay zero.
    return bytes;
}

}  // namespace Vorlune
