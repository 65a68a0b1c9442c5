#include "core/BmpLayout.h"

#include <gtest/gtest.h>

namespace Vorlune {
namespace {

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
