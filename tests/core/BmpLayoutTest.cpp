#include "core/BmpLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorlune {
namespace {

// Three pixels of three bytes are padded to twelve; two rows make 24 bytes after 54 of headers.
TEST(BmpLayout, TheHeadersOfAThreeByTwoImage) {
    const auto headers = BmpHeaders(3, 2);
    const std::vector<std::uint8_t> expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                                                40,  0,   0,  0, 3, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
                                                0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(headers.begin(), headers.end()), expected);
}

// Empty, negative, or past the 31-bit sizes readers expect: no file at all.
TEST(BmpLayout, OnlySizesThatFitTheFormatHavePixelData) {
    EXPECT_EQ(BmpPixelDataSize(16384, 16384), 16384u * 49152u);  // 768 MB is still a file
    EXPECT_EQ(BmpPixelDataSize(0, 5), std::nullopt);
    EXPECT_EQ(BmpPixelDataSize(5, -3), std::nullopt);
    EXPECT_EQ(BmpPixelDataSize(0x7FFFFFFF, 1), std::nullopt);
    EXPECT_EQ(BmpPixelDataSize(40000, 35000), std::nullopt);
}

}  // namespace
}  // namespace Vorlune
