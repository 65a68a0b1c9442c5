#include "core/ScrollStitch.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace Vorlune {
namespace {

constexpr int kWidth = 120;
constexpr int kBar = 6;  // the scroll bar's columns, at the right
constexpr int kHeader = 20;
constexpr int kFooter = 12;
constexpr int kView = 300;  // the area's rows, header and footer included
constexpr int kBody = kView - kHeader - kFooter;
constexpr std::uint32_t kTrack = 0xD0D0D0;
constexpr std::uint32_t kThumb = 0x606060;

// A tall page whose every row differs from every other, as text lines do not quite, and the
// area that shows it: a header and a footer that stay, a scroll bar whose thumb follows.
struct Page {
    int rows = 2000;
    int period = 0;  // above 0: the content repeats every period rows
    int counterAt = -1;  // a page row where an animated counter is drawn, changing with every grab
    int inkWidth = kWidth;  // the columns from here on are blank, as beside left-aligned text
    int border = 0;  // plain columns of a frame at the right, outside the scroll bar

    std::uint32_t Content(int x, int y, int tick) const {
        const int row = period > 0 ? y % period : y;
        if (x >= inkWidth) return 0xFFFFFF;
        if (counterAt >= 0 && y >= counterAt && y < counterAt + 10 && x < 30) return 0x10000u * (tick % 200) + x;
        return (static_cast<std::uint32_t>(row) * 2654435761u) ^ (static_cast<std::uint32_t>(x) * 40503u);
    }

    // late: the rows at the bottom of the view that still show a blank placeholder.
    ScrollFrame Grab(int offset, int tick = 0, int late = 0) const {
        ScrollFrame frame{kWidth, kView, std::vector<std::uint32_t>(kWidth * kView)};
        const int thumbTop = kHeader + offset * kBody / rows;
        for (int y = 0; y < kView; ++y)
            for (int x = 0; x < kWidth; ++x) {
                std::uint32_t& pixel = frame.Row(y)[x];
                if (y < kHeader)
                    pixel = 0xAA0000 + x;
                else if (y >= kView - kFooter)
                    pixel = 0x00BB00 + x;
                else if (x >= kWidth - border)
                    pixel = 0x808080;
                else if (x >= kWidth - border - kBar)
                    pixel = y >= thumbTop && y < thumbTop + 40 ? kThumb : kTrack;
                else if (y >= kView - kFooter - late)
                    pixel = 0xEEEEEE;
                else
                    pixel = Content(x, offset + y - kHeader, tick);
            }
        return frame;
    }

    // What the stitched image must be after scrolling from the top to offset: the header, the
    // page down to the end of the last view, the footer; the scroll bar as in the first view
    // and then as its last row there.
    ScrollFrame Expected(int lastOffset) const {
        const int height = kHeader + lastOffset + kBody + kFooter;
        ScrollFrame first = Grab(0);
        ScrollFrame image{kWidth, height, std::vector<std::uint32_t>(static_cast<std::size_t>(kWidth) * height)};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < kWidth; ++x) {
                std::uint32_t& pixel = image.Row(y)[x];
                if (y < kView - kFooter)
                    pixel = first.Row(y)[x];
                else if (y >= height - kFooter)
                    pixel = 0x00BB00 + x;
                else if (x >= kWidth - border - kBar)
                    pixel = first.Row(kView - kFooter - 1)[x];
                else
                    pixel = Content(x, y - kHeader, 0);
            }
        return image;
    }
};

TEST(ScrollStitch, APageScrolledInHalfStepsIsStitchedPixelForPixelWithItsEdgesOnce) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    const int last = page.rows - kBody;
    for (int offset = 134; offset < last; offset += 134)
        EXPECT_EQ(stitcher.Add(page.Grab(offset)), StitchState::Matched);
    EXPECT_EQ(stitcher.Add(page.Grab(last)), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(last));
}

TEST(ScrollStitch, APageWhoseContentStandsAtItsLeftIsStitched) {
    Page page;
    page.inkWidth = 35;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(100)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(200)), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(200));
}

TEST(ScrollStitch, AScrollBarWithinAFramesBorderStaysBesideThePage) {
    Page page;
    page.border = 2;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    const int last = page.rows - kBody;
    for (int offset = 100; offset < last; offset += 100)
        ASSERT_EQ(stitcher.Add(page.Grab(offset)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(last)), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(last));
}

TEST(ScrollStitch, AShortLastStepAddsJustTheRowsItShows) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(130)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(137)), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(137));
}

TEST(ScrollStitch, RowsAPagePaintsAfterTheGrabAreTakenAsFinallyPainted) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    for (int offset = 100; offset <= 500; offset += 100)
        ASSERT_EQ(stitcher.Add(page.Grab(offset, 0, 100)), StitchState::Matched) << offset;
    EXPECT_EQ(stitcher.Add(page.Grab(500)), StitchState::Unmoved);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(500));
}

TEST(ScrollStitch, TwoGrabsInARowThatShowNothingNewEndThePage) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Matched);
    EXPECT_EQ(stitcher.Add(page.Grab(140)), StitchState::Unmoved);
    EXPECT_EQ(stitcher.Add(page.Grab(140)), StitchState::EndOfPage);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(140));
}

TEST(ScrollStitch, APauseOfAPersonScrollingEndsNothing) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000, false);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Unmoved);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Unmoved);
    EXPECT_EQ(stitcher.Add(page.Grab(280)), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(280));
}

TEST(ScrollStitch, AfterTurningToScrollingByHandStillGrabsEndNothing) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(140)), StitchState::Unmoved);
    stitcher.ScrolledByHand();
    EXPECT_EQ(stitcher.Add(page.Grab(140)), StitchState::Unmoved);
}

TEST(ScrollStitch, AStepOfAWholePageIsNeverGuessedAndWhatCameBeforeIsKept) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(100)), StitchState::Matched);
    EXPECT_EQ(stitcher.Add(page.Grab(100 + kBody)), StitchState::NoMatch);
    EXPECT_EQ(stitcher.Add(page.Grab(150 + kBody)), StitchState::NoMatch);
    EXPECT_EQ(stitcher.TakeImage(), page.Expected(100));
}

TEST(ScrollStitch, AStepWithLessOverlapThanTheLeastIsRefused) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    EXPECT_EQ(stitcher.Add(page.Grab(kBody - kMinScrollOverlap + 1)), StitchState::NoMatch);
}

TEST(ScrollStitch, ARepeatingPatternWithSeveralFittingShiftsIsRefused) {
    Page page;
    page.period = 50;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    const StitchState state = stitcher.Add(page.Grab(120));
    EXPECT_TRUE(state == StitchState::Ambiguous || state == StitchState::NoMatch);
    EXPECT_EQ(stitcher.Length(), kView);
}

TEST(ScrollStitch, ABlankAreaShowsNothingNew) {
    const ScrollFrame blank{kWidth, kView, std::vector<std::uint32_t>(kWidth * kView, 0xFFFFFF)};
    ScrollStitcher stitcher(blank, ScrollAxis::Down, 30000);
    EXPECT_EQ(stitcher.Add(blank), StitchState::Unmoved);
    EXPECT_EQ(stitcher.TakeImage(), blank);
}

TEST(ScrollStitch, ACounterAnimatedInThePageNeitherBreaksAMatchNorMovesIt) {
    Page page;
    page.counterAt = 150;
    ScrollStitcher stitcher(page.Grab(0, 0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(134, 1)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(268, 2)), StitchState::Matched);
    EXPECT_EQ(stitcher.Add(page.Grab(268, 3)), StitchState::Unmoved);
    EXPECT_EQ(stitcher.Length(), kView + 268);
}

TEST(ScrollStitch, TheHeightLimitEndsTheImageAtTheLimit) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, kView + 200);
    ASSERT_EQ(stitcher.Add(page.Grab(134)), StitchState::Matched);
    EXPECT_EQ(stitcher.Add(page.Grab(268)), StitchState::HeightLimit);
    EXPECT_EQ(stitcher.Length(), kView + 200);
    EXPECT_EQ(stitcher.Add(page.Grab(402)), StitchState::HeightLimit);
    EXPECT_EQ(stitcher.TakeImage().height, kView + 200);
}

TEST(ScrollStitch, ThePreviewIsTheImageShrunkToFitItsBoxByItsNearestPixels) {
    const Page page;
    ScrollStitcher stitcher(page.Grab(0), ScrollAxis::Down, 30000);
    ASSERT_EQ(stitcher.Add(page.Grab(100)), StitchState::Matched);
    ASSERT_EQ(stitcher.Add(page.Grab(200)), StitchState::Matched);
    const ScrollFrame preview = stitcher.Preview(60, 1000);
    const ScrollFrame image = stitcher.TakeImage();
    ASSERT_EQ(preview.width, 60);
    ASSERT_EQ(preview.height, image.height / 2);
    for (int y = 0; y < preview.height; ++y)
        for (int x = 0; x < preview.width; ++x) ASSERT_EQ(preview.Row(y)[x], image.Row(2 * y)[2 * x]) << x << "," << y;
}

TEST(ScrollStitch, ASidewaysScrollIsStitchedOnColumns) {
    const Page page;
    ScrollStitcher stitcher(Transposed(page.Grab(0)), ScrollAxis::Across, 30000);
    for (int offset = 134; offset <= 536; offset += 134)
        ASSERT_EQ(stitcher.Add(Transposed(page.Grab(offset))), StitchState::Matched);
    EXPECT_EQ(stitcher.TakeImage(), Transposed(page.Expected(536)));
}

}  // namespace
}  // namespace Vorlune
