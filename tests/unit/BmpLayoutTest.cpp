#include <gtest/gtest.h>

#include "Capture/BmpLayout.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "OutputTestSupport.h"

namespace Vorlune::Test {
namespace {

TEST(BmpLayout, SizesHeadersAndLimits) {
    EXPECT_EQ(BmpRowSize(4), 12u);
    EXPECT_EQ(BmpRowSize(5), 16u);
    EXPECT_EQ(BmpPixelDataSize(1920, 1080), 5760u * 1080u);
    EXPECT_TRUE(BmpPixelDataSize(16384, 16384));  // 768 MB is still a file
    // Empty, negative, overflowing, or past the 31-bit sizes readers expect: no file at all.
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-4, 10}, {10, -4}, {0x7FFFFFFF, 1}, {100000, 100000}, {40000, 35000}}) {
        EXPECT_FALSE(BmpPixelDataSize(w, h)) << w << "x" << h;
        EXPECT_EQ(CreateDib24(w, h), nullptr) << w << "x" << h;
    }
    const auto headers = BmpHeaders(3, 2);
    std::array<std::uint8_t, 54> expected = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                             3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};  // the rest is zero
    EXPECT_EQ(headers, expected);
}

// Rows bottom up, each padded with zeros to four bytes, straight from the source pixels.
TEST(BmpLayout, FilesOfWidthsOneToFive) {
    PatternSurface surface(40, 30);
    ScratchDir folder;
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const int height = width == 1 ? 1 : 3;
        const std::wstring path = folder / (std::to_wstring(width) + L".bmp");
        ASSERT_EQ(WriteImageFile(CaptureArea(surface.Dc(), {13, 6}, {width, height}), path, nullptr), path);
        const auto file = ReadBytes(path);
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * height);
        const auto headers = BmpHeaders(width, height);
        EXPECT_TRUE(std::equal(headers.begin(), headers.end(), file.begin()));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) EXPECT_EQ(BmpPixel(file, width, height, x, y), PatternColour(13 + x, 6 + y));
            for (size_t pad = width * 3; pad < stride; ++pad) EXPECT_EQ(file[54 + stride * (height - 1 - y) + pad], 0);
        }
    }
}

}  // namespace
}  // namespace Vorlune::Test
