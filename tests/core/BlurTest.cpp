#include "core/Blur.h"

#include <gtest/gtest.h>

#include "BgraPicture.h"

namespace Vorlune {
namespace {

void Blur(Picture& picture, Rect area, int radius, int passes) {
    Vorlune::Blur(picture.bytes.data(), picture.stride, picture.size, area, radius, passes);
}

// One row: across, each pixel the mean of its neighbours within the radius inside the area;
// down there is nothing else to average.
TEST(Blur, APassAveragesTheNeighboursWithinTheRadiusInsideTheArea) {
    Picture picture({6, 1});
    for (int x = 0; x < 6; ++x) picture.Set(x, 0, {0, 0, 0, 9});
    picture.Set(2, 0, {100, 0, 200, 9});
    Blur(picture, {0, 0, 5, 1}, 1, 1);
    const Pixel expected[] = {{0, 0, 0, 255}, {33, 0, 67, 255}, {33, 0, 67, 255}, {33, 0, 67, 255}, {0, 0, 0, 255}};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(picture.Get(x, 0), expected[x]) << x;
    EXPECT_EQ(picture.Get(5, 0), (Pixel{0, 0, 0, 9}));
}

// The largest sums a window can reach, divided without a slip.
TEST(Blur, AWhiteAreaStaysWhiteAtTheLargestRadius) {
    Picture picture({2 * kMaxBlurRadius + 1, 2});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < picture.size.cx; ++x) picture.Set(x, y, {255, 255, 255, 255});
    const Picture white = picture;
    Blur(picture, {0, 0, picture.size.cx, 2}, kMaxBlurRadius, 1);
    EXPECT_EQ(picture.bytes, white.bytes);
}

// A black stroke two pixels wide on white, as a letter's: after the blur nothing in the area is
// as dark as the ink, while the stroke above the area stays black.
TEST(Blur, NoPixelOfAStrokeUnderItKeepsTheInk) {
    Picture picture({60, 40});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            picture.Set(x, y, x == 30 || x == 31 ? Pixel{0, 0, 0, 255} : Pixel{255, 255, 255, 255});
    const Rect area = {10, 5, 50, 35};
    Blur(picture, area, kBlurRadius, kBlurPasses);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) ASSERT_GT(picture.Get(x, y)[0], 160) << x << "," << y;
    EXPECT_EQ(picture.Get(30, 2), (Pixel{0, 0, 0, 255}));
}

}  // namespace
}  // namespace Vorlune
