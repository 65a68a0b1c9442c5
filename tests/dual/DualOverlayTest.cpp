#include <gtest/gtest.h>

#include "CaptureProbe.h"
#include "DualModeTest.h"
#include "Wait.h"
#include "draw/CursorPainter.h"
#include "draw/MouseTooltip.h"

namespace Vorlune::Test {
namespace {

using DualOverlay = DualModeTest<ProbeCapture>;

TEST_F(DualOverlay, CoversTheVirtualScreenFromItsNegativeOrigin) {
    constexpr COLORREF kMarker = 0x2080E0;
    auto marker = std::make_unique<ColourWindow>(RECT{-1920, 0, -1860, 60}, kMarker);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(-1915, 5) == kMarker; }));
    mode->Begin();

    RECT rect = {};
    GetWindowRect(mode->Window(), &rect);
    EXPECT_EQ(rect.left, -1920);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 1920);
    EXPECT_EQ(rect.bottom, 1080);
    EXPECT_TRUE(IsWindowVisible(mode->Window()));
    const ScreenSnapshot& snapshot = *mode->Frozen();
    EXPECT_EQ(snapshot.bounds.left, -1920);
    EXPECT_EQ(snapshot.size.cx, 3840);
    // Snapshot pixel (0, 0) is the virtual screen's top-left corner.
    EXPECT_EQ(GetPixel(snapshot.frozenDC, 0, 0), kMarker);
    EXPECT_EQ(GetPixel(snapshot.frozenDC, 59, 59), kMarker);
    EXPECT_NE(GetPixel(snapshot.frozenDC, 60, 60), kMarker);

    marker.reset();
    UpdateWindow(mode->Window());
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(-1915, 5) == kMarker; }));

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    EXPECT_FALSE(IsWindowVisible(mode->Window()));
}

TEST_F(DualOverlay, MousePointsAreSnapshotCoordinatesOnBothMonitors) {
    mode->Begin();
    for (POINT screen : {POINT{-1800, 300}, POINT{100, 700}}) {
        SetCursorPos(screen.x, screen.y);
        const POINT expected = {screen.x + kShift, screen.y};
        ASSERT_TRUE(WaitUntil([&] { return Contains(mode->PointsOf(WM_MOUSEMOVE), expected); }));
        LeftClick();
        ASSERT_TRUE(WaitUntil([&] { return Contains(mode->PointsOf(WM_LBUTTONUP), expected); }));
        EXPECT_TRUE(Contains(mode->PointsOf(WM_LBUTTONDOWN), expected));
    }
    // An arrow key on the left monitor moves the cursor one pixel there.
    PressKey(VK_LEFT);
    ASSERT_TRUE(WaitUntil([&] { return Contains(mode->PointsOf(WM_MOUSEMOVE), {99 + kShift, 700}); }));
}

TEST(DualToolTip, FlipsInsideTheMonitorUnderTheCursor) {
    const RECT bounds = {-1920, 0, 1920, 1080};
    const RECT left = MouseToolTipWorkArea(bounds, {500, 500});
    EXPECT_EQ(left.left, 0);
    EXPECT_EQ(left.right, 1920);
    const RECT primary = MouseToolTipWorkArea(bounds, {2420, 500});
    EXPECT_EQ(primary.left, 1920);
    EXPECT_EQ(primary.right, 3840);
    EXPECT_EQ(primary.bottom, 1080);

    // Drawn: in the middle of the primary monitor the box stays right of the cursor;
    // near the right edge of the left monitor it moves left of the cursor.
    ScreenSnapshot snapshot;
    const std::wstring text = L" Handle=0x0000001C, Width=640, Height=480 ";
    const int cx = GetSystemMetrics(SM_CXCURSOR);
    for (POINT point : {POINT{2420, 500}, POINT{1900, 500}}) {
        PatBlt(snapshot.workDC, 0, 0, snapshot.size.cx, snapshot.size.cy, WHITENESS);
        DrawMouseToolTip(snapshot, point, text);
        const bool flipped = point.x == 1900;
        const int probe = flipped ? point.x - cx - 10 : point.x + cx / 2 + 10;
        const int other = flipped ? point.x + cx / 2 + 10 : point.x - cx - 10;
        const int y = point.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 1;
        EXPECT_NE(GetPixel(snapshot.workDC, probe, y), 0xFFFFFFu) << point.x;
        EXPECT_EQ(GetPixel(snapshot.workDC, other, y), 0xFFFFFFu) << point.x;
    }
}

TEST(DualCursor, PaintedAtItsPlaceLeftOfTheOrigin) {
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    {
        CurrentCursor current(cursor, -1000, 400);
        ASSERT_TRUE(current.Ready());
        ScreenSnapshot snapshot;
        PatBlt(snapshot.outputDC, 0, 0, snapshot.size.cx, snapshot.size.cy, WHITENESS);
        DrawCursorImage(snapshot);
        // The hot spot, screen (-1000, 400), is snapshot (920, 400).
        for (int y = 380; y < 430; ++y)
            for (int x = 900; x < 950; ++x) {
                const bool black = x >= 920 && x < 923 && y >= 400 && y < 403;
                ASSERT_EQ(GetPixel(snapshot.outputDC, x, y), black ? 0x000000u : 0xFFFFFFu) << x << "," << y;
            }
    }
    DestroyCursor(cursor);
}

}  // namespace
}  // namespace Vorlune::Test
