#include "core/ZoomChanges.h"

#include <gtest/gtest.h>

#include <utility>

namespace Vorlune {
namespace {

constexpr Size kImage = {1000, 1000};

// Four source pixels a row, ten times enlarged, framed one pixel wide; all 0 but one 9.
ZoomPicture Picture(Rect window, int factor = 10, int side = 4) {
    ZoomPicture picture = {window, factor, 1, side, std::vector<std::uint32_t>(side * side, 0)};
    picture.source[side + 1] = 9;
    return picture;
}

std::vector<Rect> FrameOf(const Rect& w) {
    return {{w.left, w.top, w.right + 1, w.top + 1},
            {w.left, w.bottom, w.right + 1, w.bottom + 1},
            {w.left, w.top + 1, w.left + 1, w.bottom},
            {w.right, w.top + 1, w.right + 1, w.bottom}};
}

TEST(ZoomChanges, APictureStandingStillRedrawsItsFrameAlone) {
    const ZoomPicture picture = Picture({100, 100, 140, 140});
    EXPECT_EQ(ZoomChanges(picture, picture, kImage), FrameOf(picture.window));
}

// Moved 3 right: what it leaves, its frame, the blocks that meet the 9 before or now, and the
// column of blocks that lies under the frame before or past it.
TEST(ZoomChanges, AMovedPictureRedrawsWhereItsBlocksMeetAnotherColour) {
    const ZoomPicture now = Picture({103, 100, 143, 140});
    std::vector<Rect> want = {{100, 100, 103, 141}};
    for (const Rect& band : FrameOf(now.window)) want.push_back(band);
    for (const Rect& run : {Rect{133, 100, 143, 110}, {103, 110, 123, 120}, {133, 110, 143, 120}, {133, 120, 143, 140}})
        want.push_back(run);
    EXPECT_EQ(ZoomChanges(Picture({100, 100, 140, 140}), now, kImage), want);
}

// Nothing before, a picture of another factor before, or a square of part blocks.
TEST(ZoomChanges, APictureNotOfWholeBlocksAlikeIsRedrawnWhole) {
    const Rect window = {100, 100, 140, 140};
    const std::pair<ZoomPicture, ZoomPicture> cases[] = {{ZoomPicture{}, Picture(window)},
                                                         {Picture(window, 5, 8), Picture(window)},
                                                         {Picture(window), Picture(window, 10, 3)}};
    for (const auto& [before, now] : cases) {
        std::vector<Rect> want = FrameOf(window);
        want.push_back(window);
        EXPECT_EQ(ZoomChanges(before, now, kImage), want);
    }
}

}  // namespace
}  // namespace Vorlune
