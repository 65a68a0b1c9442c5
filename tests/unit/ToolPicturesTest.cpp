// The mark-up window's tool and pin pictures as the executable holds them.
#include <gtest/gtest.h>

#include <vector>

#include "resources/resource.h"
#include "ui/GdiOwners.h"

namespace Vorlune::Test {
namespace {

constexpr int kFirst100 = IDB_TOOL_SELECT, kFirst150 = IDB_TOOL_SELECT_150, kCount = 14;
constexpr SIZE kAt100 = {18, 18}, kAt150 = {27, 27};

// A picture's pixels, top row first, scaled to size by whole pixels (or as drawn, at its own size).
std::vector<COLORREF> Pixels(int id, SIZE size) {
    const MemorySurface picture(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info = {};
    GetObjectW(picture.bitmap(), sizeof info, &info);
    const MemorySurface scaled(CreateCompatibleBitmap(picture.dc(), size.cx, size.cy));
    SetStretchBltMode(scaled.dc(), COLORONCOLOR);
    StretchBlt(scaled.dc(), 0, 0, size.cx, size.cy, picture.dc(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) pixels.push_back(GetPixel(scaled.dc(), x, y));
    return pixels;
}

SIZE SizeOf(int id) {
    const OwnedBitmap picture(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info = {};
    GetObjectW(picture.get(), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(ToolPictures, EachToolAndThePinHasAPictureOfItsOwn) {
    std::vector<std::vector<COLORREF>> pictures;
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(SizeOf(kFirst100 + i).cx, kAt100.cx) << i;
        pictures.push_back(Pixels(kFirst100 + i, kAt100));
        for (int j = 0; j < i; ++j) EXPECT_NE(pictures[i], pictures[j]) << i << " and " << j;
    }
}

// Drawn again for 150 %, so sharp there: never the 100 % picture blown up.
TEST(ToolPictures, The150PercentPicturesAreNotThe100PercentOnesScaled) {
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(SizeOf(kFirst150 + i).cx, kAt150.cx) << i;
        EXPECT_NE(Pixels(kFirst150 + i, kAt150), Pixels(kFirst100 + i, kAt150)) << i;
    }
}

}  // namespace
}  // namespace Vorlune::Test
