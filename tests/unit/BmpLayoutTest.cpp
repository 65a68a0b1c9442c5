#include <gtest/gtest.h>

#include "Capture/Dib.h"

#include <cstdint>

#include "Capture/BmpLayout.h"
#include "Capture/CaptureOutput.h"
#include "OutputTestSupport.h"

namespace Vorlune::Test {
namespace {

std::uint32_t Le32(const std::vector<unsigned char>& bytes, size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
           static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}
std::uint32_t Le16(const std::vector<unsigned char>& bytes, size_t offset) {
    return bytes.at(offset) | bytes.at(offset + 1) << 8;
}

TEST(BmpLayout, SizesAndLimits) {
    EXPECT_EQ(BmpRowSize(1), 4u);
    EXPECT_EQ(BmpRowSize(2), 8u);
    EXPECT_EQ(BmpRowSize(3), 12u);
    EXPECT_EQ(BmpRowSize(4), 12u);
    EXPECT_EQ(BmpRowSize(5), 16u);
    EXPECT_EQ(BmpRowSize(1920), 5760u);
    EXPECT_EQ(BmpPixelDataSize(1, 1), 4u);
    EXPECT_EQ(BmpPixelDataSize(1920, 1080), 5760u * 1080u);
    EXPECT_FALSE(BmpPixelDataSize(0, 10));
    EXPECT_FALSE(BmpPixelDataSize(10, 0));
    EXPECT_FALSE(BmpPixelDataSize(-4, 10));
    EXPECT_FALSE(BmpPixelDataSize(10, -4));
    EXPECT_FALSE(BmpPixelDataSize(0x7FFFFFFF, 1));       // the row alone overflows
    EXPECT_FALSE(BmpPixelDataSize(100000, 100000));      // 30 GB
    EXPECT_FALSE(BmpPixelDataSize(40000, 35000));        // fits 32 bits, not 31
    EXPECT_TRUE(BmpPixelDataSize(16384, 16384));         // 768 MB is still a file
    EXPECT_EQ(CreateDib24(0, 5), nullptr);
    EXPECT_EQ(CreateDib24(5, -1), nullptr);
    EXPECT_EQ(CreateDib24(100000, 100000), nullptr);
}

TEST(BmpLayout, EveryHeaderField) {
    const auto array = BmpHeaders(3, 2);
    const std::vector<unsigned char> h(array.begin(), array.end());
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(Le32(h, 2), 54u + 12u * 2u);  // file size
    EXPECT_EQ(Le32(h, 6), 0u);              // two reserved words
    EXPECT_EQ(Le32(h, 10), 54u);            // pixel data offset
    EXPECT_EQ(Le32(h, 14), 40u);            // info header size
    EXPECT_EQ(Le32(h, 18), 3u);
    EXPECT_EQ(Le32(h, 22), 2u);  // positive height: bottom row first
    EXPECT_EQ(Le16(h, 26), 1u);
    EXPECT_EQ(Le16(h, 28), 24u);
    for (size_t offset = 30; offset < 54; offset += 4) EXPECT_EQ(Le32(h, offset), 0u) << offset;
    const auto wide = BmpHeaders(1920, 1080);
    const std::vector<unsigned char> w(wide.begin(), wide.end());
    EXPECT_EQ(Le32(w, 2), 54u + 5760u * 1080u);
    EXPECT_EQ(Le32(w, 18), 1920u);
    EXPECT_EQ(Le32(w, 22), 1080u);
}

class BmpFileTest : public ::testing::Test {
protected:
    // Writes the area of a 40 x 30 pattern and returns the file's bytes.
    std::vector<unsigned char> Write(POINT position, SIZE size) {
        const std::wstring path = folder_ / (L"image" + std::to_wstring(++count_) + L".bmp");
        const CapturedImage image = CaptureArea(surface_.Dc(), position, size);
        EXPECT_EQ(WriteImageFile(image, path, nullptr), path);
        return ReadBytes(path);
    }

    PatternSurface surface_{40, 30};
    ScratchDir folder_;
    int count_ = 0;
};

TEST_F(BmpFileTest, OnePixelIsFiftyEightBytes) {
    const auto file = Write({7, 9}, {1, 1});
    ASSERT_EQ(file.size(), 58u);
    EXPECT_EQ(Le32(file, 2), 58u);
    EXPECT_EQ(BmpPixel(file, 1, 1, 0, 0), PatternColour(7, 9));
    EXPECT_EQ(file[57], 0);
}

TEST_F(BmpFileTest, RowsBottomUpPaddedWithZerosForWidthsOneToFive) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const int height = 3;
        const auto file = Write({2, 4}, {width, height});
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * height);
        EXPECT_EQ(Le32(file, 2), file.size());
        EXPECT_EQ(Le32(file, 18), static_cast<std::uint32_t>(width));
        for (int row = 0; row < height; ++row) {
            // The first stored row is the bottom row of the area.
            const size_t start = 54 + stride * row;
            const Bgr first = {file[start], file[start + 1], file[start + 2]};
            EXPECT_EQ(first, PatternColour(2, 4 + height - 1 - row));
            for (size_t pad = static_cast<size_t>(width) * 3; pad < stride; ++pad)
                EXPECT_EQ(file[start + pad], 0) << "row " << row << " byte " << pad;
        }
    }
}

TEST_F(BmpFileTest, AreaAtOffsetEqualsSourcePixels) {
    const POINT position = {13, 6};
    const SIZE size = {17, 11};
    const auto file = Write(position, size);
    ASSERT_EQ(file.size(), 54u + 52u * 11u);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            ASSERT_EQ(BmpPixel(file, size.cx, size.cy, x, y), PatternColour(position.x + x, position.y + y))
                << x << "," << y;
}

}  // namespace
}  // namespace Vorlune::Test
