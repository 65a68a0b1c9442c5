#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace Vorlune {

// An uncompressed 24-bit bottom-up BMP: a 14-byte file header, a 40-byte info header,
// then the rows, bottom row first, each padded with zero bytes to a multiple of four.
constexpr std::uint32_t kBmpHeadersSize = 54;

// Bytes of one padded row; nothing for a width that is not positive or too large.
std::optional<std::uint32_t> BmpRowSize(int width);

// Bytes of pixel data (row size times height). Nothing for an empty or negative size, or
// when the whole file would not fit the 31-bit sizes that readers of the format expect.
std::optional<std::uint32_t> BmpPixelDataSize(int width, int height);

// The two headers of a file with that size; the size must have passed BmpPixelDataSize.
std::array<std::uint8_t, kBmpHeadersSize> BmpHeaders(int width, int height);

}  // namespace Vorlune
