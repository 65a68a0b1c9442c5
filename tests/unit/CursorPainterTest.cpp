#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Capture/ScreenSnapshot.h"
#include "Wait.h"
#include "draw/CursorPainter.h"
#include "CaptureProbe.h"
#include "SettingGuard.h"

namespace Vorlune::Test {
namespace {

constexpr COLORREF kGround = 0x123456;

void Fill(HDC dc, SIZE size, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, size.cx, size.cy};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

// The smallest rectangle holding every pixel of colour (or, with invert, of any other colour).
RECT BoundsOf(HDC dc, SIZE size, COLORREF colour, bool invert, int* count = nullptr) {
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int found = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if ((GetPixel(dc, x, y) == colour) != invert) {
                ++found;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
            }
    if (count != nullptr) *count = found;
    return box;
}

TEST(CursorMarker, IsAHollowCircleOfRadiusThirtyInTheLineColour) {
    SettingGuard colour(SectionSettings, KeyAuxiliaryLineColor, 12);  // 0xFF0000
    ScreenSnapshot snapshot(RECT{0, 0, 200, 200});
    Fill(snapshot.workDC, snapshot.size, 0xFFFFFF);
    Fill(snapshot.outputDC, snapshot.size, 0xFFFFFF);
    DrawCursorMarker(snapshot, {100, 90});

    int count = 0;
    const RECT ring = BoundsOf(snapshot.workDC, snapshot.size, 0xFF0000, false, &count);
    EXPECT_EQ(ring.left, 70);
    EXPECT_EQ(ring.top, 60);
    EXPECT_EQ(ring.right, 129);
    EXPECT_EQ(ring.bottom, 119);
    // A one-pixel outline, not a disc: about 2 pi r pixels, none near the centre.
    EXPECT_GT(count, 150);
    EXPECT_LT(count, 260);
    int other = 0;
    BoundsOf(snapshot.workDC, snapshot.size, 0xFFFFFF, true, &other);
    EXPECT_EQ(other, count);  // nothing in another colour
    for (int y = 70; y < 110; ++y)
        for (int x = 80; x < 120; ++x) ASSERT_EQ(GetPixel(snapshot.workDC, x, y), 0xFFFFFFu) << x << "," << y;
    BoundsOf(snapshot.outputDC, snapshot.size, 0xFFFFFF, true, &other);
    EXPECT_EQ(other, 0);
}

TEST(CursorImage, PaintsExactlyTheCursorsPixelsAtItsHotSpot) {
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    {
        CurrentCursor current(cursor, 300, 250);
        ASSERT_TRUE(current.Ready());
        // A snapshot whose origin is not the screen's, so the offset counts.
        ScreenSnapshot snapshot(RECT{200, 150, 500, 450});
        Fill(snapshot.outputDC, snapshot.size, kGround);
        Fill(snapshot.workDC, snapshot.size, kGround);
        DrawCursorImage(snapshot);

        // The hot spot lands on the cursor's place: snapshot (100, 100).
        for (int y = 0; y < snapshot.size.cy; ++y)
            for (int x = 0; x < snapshot.size.cx; ++x) {
                const bool black = x >= 100 && x < 103 && y >= 100 && y < 103;
                const bool white = x == 105 && y == 105;
                const COLORREF expected = black ? 0x000000 : white ? 0xFFFFFF : kGround;
                ASSERT_EQ(GetPixel(snapshot.outputDC, x, y), expected) << x << "," << y;
            }
        int changed = 0;
        BoundsOf(snapshot.workDC, snapshot.size, kGround, true, &changed);
        EXPECT_EQ(changed, 0);
    }
    DestroyCursor(cursor);
}

TEST(CursorImage, ColourCursorStaysInsideItsOwnRectangle) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    CurrentCursor current(arrow, 300, 250);
    ASSERT_TRUE(current.Ready());
    const CursorBitmaps bitmaps(arrow);
    ASSERT_TRUE(bitmaps.Valid());
    BITMAP shape = {};
    GetObjectW(bitmaps.Colour() ? bitmaps.Colour() : bitmaps.Mask(), sizeof shape, &shape);
    const LONG height = bitmaps.Colour() ? shape.bmHeight : shape.bmHeight / 2;

    ScreenSnapshot snapshot(RECT{200, 150, 500, 450});
    Fill(snapshot.outputDC, snapshot.size, kGround);
    DrawCursorImage(snapshot);
    int changed = 0;
    const RECT drawn = BoundsOf(snapshot.outputDC, snapshot.size, kGround, true, &changed);
    ASSERT_GT(changed, 20);
    const LONG left = 100 - bitmaps.HotSpot().x;
    const LONG top = 100 - bitmaps.HotSpot().y;
    EXPECT_GE(drawn.left, left);
    EXPECT_GE(drawn.top, top);
    EXPECT_LT(drawn.right, left + shape.bmWidth);
    EXPECT_LT(drawn.bottom, top + height);
}

TEST(CursorImage, IconBitmapsAreDeleted) {
    HBITMAP colour = nullptr;
    HBITMAP mask = nullptr;
    {
        const CursorBitmaps bitmaps(LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(bitmaps.Valid());
        colour = bitmaps.Colour();
        mask = bitmaps.Mask();
        ASSERT_NE(mask, nullptr);
        EXPECT_EQ(GetObjectType(mask), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(mask), 0u);
    if (colour != nullptr) {
        EXPECT_EQ(GetObjectType(colour), 0u);
    }
    EXPECT_FALSE(CursorBitmaps(nullptr).Valid());
}

TEST(CursorImage, ToggleCountsOnlyWhenOne) {
    SettingGuard folder(SectionSettings, KeyClipBoard, 0);
    const int old = Settings().GetToggle(TextCursorToggle);
    Settings().SetToggle(TextCursorToggle, 1);
    EXPECT_TRUE(CursorCaptureOn());
    Settings().SetToggle(TextCursorToggle, 0);
    EXPECT_FALSE(CursorCaptureOn());
    Settings().SetToggle(TextCursorToggle, 2);
    EXPECT_FALSE(CursorCaptureOn());
    Settings().SetToggle(TextCursorToggle, old);
}

}  // namespace
}  // namespace Vorlune::Test
