#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "Scratch.h"
#include "SettingGuard.h"
#include "Wait.h"

// What the rectangle overlays draw on the work surface, driven by sent mouse messages.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;

class RectangleDrawing : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }
    void TearDown() override {
        if (mode && mode->Overlay()) SendMessageW(mode->Overlay(), WM_KEYDOWN, VK_ESCAPE, 0);
        mode.reset();
        PumpMessages();
    }
    template <class Mode>
    void Begin() {
        mode = MakeCaptureMode<Mode>(owner.Handle());
        mode->Act([] {});
    }
    void Send(UINT message, POINT p) { SendMessageW(mode->Overlay(), message, 0, MAKELPARAM(p.x, p.y)); }
    std::vector<std::uint32_t> Work() const {
        const ScreenSnapshot& s = *mode->Snapshot();
        return SurfacePixels(s.workDC, 0, 0, s.size);
    }
    COLORREF WorkAt(int x, int y) const { return GetPixel(mode->Snapshot()->workDC, x, y); }

    PatternWindow pattern{{0, 0, 1000, 800}};
    OwnerWindow owner;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
    SettingGuard crossHairWhileDragging{SectionSettings, KeyAlwaysAuxiliaryLine, 0};
    ToggleGuard cursorOff{TextCursorToggle, 0};
    std::unique_ptr<RectangleCapture> mode;
};

std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

TEST_F(RectangleDrawing, ZoomWindowEnlargesTheSquareUnderTheCursorByTheReadFactor) {
    const struct {
        const wchar_t* setting;
        int factor;
    } cases[] = {{L"3", 3},   {L"6", 6},  {L"10", 10}, {L"abc", 10}, {L"0", 10},
                 {L"-4", 10}, {L"1", 1},  {L"2", 2},   {L"1000", 300}};
    const POINT p = {500, 400};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ZoomWindowMagnification=" << Narrow(c.setting));
        StringSettingGuard factor(KeyZoomWindowMagnification, c.setting);
        Begin<RectangleCaptureWithMagnifier>();
        Send(WM_MOUSEMOVE, {200, 200});  // near the top-left corner: the window goes right and below
        Send(WM_MOUSEMOVE, p);
        const std::vector<std::uint32_t> work = Work();
        const LONG width = mode->Snapshot()->size.cx;
        auto at = [&](int x, int y) { return work[static_cast<size_t>(y) * width + x]; };
        const int side = 300 / c.factor;
        const int half = side / 2;
        const RECT zoom = {p.x + 50, p.y + 50, p.x + 350, p.y + 350};
        int wrong = 0;
        for (int j = 1; j < 300; ++j)
            for (int i = 1; i < 300; ++i) {
                const int sx = p.x - half + i / c.factor;
                const int sy = p.y - half + j / c.factor;
                const COLORREF want = sx == p.x || sy == p.y ? kLine : ScreenPattern(sx, sy);
                if (at(zoom.left + i, zoom.top + j) != Rgb(want) && ++wrong <= 3)
                    ADD_FAILURE() << "zoom pixel " << i << "," << j;
            }
        EXPECT_EQ(wrong, 0);
        // The frame takes the window's edge and the column and row just past it.
        for (int k = 0; k <= 300; ++k) {
            ASSERT_EQ(at(zoom.left + k, zoom.top), Rgb(kLine)) << k;
            ASSERT_EQ(at(zoom.left + k, zoom.top + 300), Rgb(kLine)) << k;
            ASSERT_EQ(at(zoom.left, zoom.top + k), Rgb(kLine)) << k;
            ASSERT_EQ(at(zoom.left + 300, zoom.top + k), Rgb(kLine)) << k;
        }
        if (c.factor == 10) {
            // The pixel under the cursor is a 10 x 10 block near the middle.
            for (int j = 150; j < 160; ++j)
                for (int i = 150; i < 160; ++i) ASSERT_EQ(at(zoom.left + i, zoom.top + j), Rgb(kLine));
        }
        TearDown();
    }
}

TEST_F(RectangleDrawing, ZoomWindowFlipsNearTheFarEdgesAndShowsBlackOffTheScreen) {
    Begin<RectangleCaptureWithMagnifier>();
    const SIZE size = mode->Snapshot()->size;
    Send(WM_MOUSEMOVE, {200, 200});
    Send(WM_MOUSEMOVE, {size.cx - 300, size.cy - 300});
    // Within 350 of the right and bottom edges: left of and above the cursor.
    const POINT flipped = {size.cx - 650, size.cy - 650};
    EXPECT_EQ(WorkAt(flipped.x, flipped.y), kLine);
    EXPECT_EQ(WorkAt(flipped.x + 300, flipped.y + 300), kLine);
    EXPECT_NE(WorkAt(size.cx - 250, size.cy - 150), kLine);
    // It stays there on the way back, until that side would leave the screen.
    Send(WM_MOUSEMOVE, {400, 360});
    for (int y = 10; y < 310; y += 50) EXPECT_EQ(WorkAt(50, y), kLine) << y;
    EXPECT_EQ(WorkAt(450, 410), ScreenPattern(450, 410));

    Send(WM_MOUSEMOVE, {5, 5});
    // Factor 10 reads (-10, -10)-(20, 20); the window is back right and below, at (55, 55).
    EXPECT_EQ(WorkAt(55 + 50, 55 + 200), 0x000000u);
    EXPECT_EQ(WorkAt(55 + 200, 55 + 50), 0x000000u);
    EXPECT_EQ(WorkAt(55 + 250, 55 + 250), ScreenPattern(15, 15));
}

TEST_F(RectangleDrawing, SelectionFrameIsTheBorderOfTheAreaAndTheCrossHairFollowsTheSetting) {
    for (int always : {0, 1}) {
        SCOPED_TRACE(always);
        SettingGuard setting(SectionSettings, KeyAlwaysAuxiliaryLine, always);
        Begin<RectangleCapture>();
        Send(WM_MOUSEMOVE, {340, 230});
        // Before the drag the cross-hair spans the screen.
        EXPECT_EQ(WorkAt(0, 230), kLine);
        EXPECT_EQ(WorkAt(mode->Snapshot()->size.cx - 1, 230), kLine);
        EXPECT_EQ(WorkAt(340, 0), kLine);
        EXPECT_EQ(WorkAt(340, 700), kLine);
        Send(WM_LBUTTONDOWN, {340, 230});
        Send(WM_MOUSEMOVE, {300, 200});
        for (int x = 299; x <= 341; ++x)
            for (int y = 199; y <= 231; ++y) {
                const bool border = (x == 300 || x == 340) && y >= 200 && y <= 230;
                const bool edge = (y == 200 || y == 230) && x >= 300 && x <= 340;
                const bool onCrossHair = always == 1 && (x == 300 || y == 200);
                ASSERT_EQ(WorkAt(x, y), border || edge || onCrossHair ? kLine : ScreenPattern(x, y)) << x << "," << y;
            }
        EXPECT_EQ(WorkAt(700, 200), always == 1 ? kLine : ScreenPattern(700, 200));
        EXPECT_EQ(WorkAt(300, 600), always == 1 ? kLine : ScreenPattern(300, 600));
        // The old cross-hair is gone.
        EXPECT_EQ(WorkAt(700, 230), ScreenPattern(700, 230));
        TearDown();
    }
}

TEST_F(RectangleDrawing, AMoveToThePointAlreadyDrawnRepaintsNothing) {
    // The arrow key moves the real cursor.
    ASSERT_TRUE(PlaceCursor({420, 330}));
    Begin<RectangleCaptureWithMagnifier>();
    HWND overlay = mode->Overlay();
    Send(WM_MOUSEMOVE, {420, 330});
    UpdateWindow(overlay);
    const std::vector<std::uint32_t> drawn = Work();
    RECT update = {};
    ASSERT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    Send(WM_MOUSEMOVE, {420, 330});
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_EQ(Work(), drawn);
    // An arrow key draws its point at once; the move message it causes then adds nothing.
    SendMessageW(overlay, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(mode->LastFrame().has_value());
    EXPECT_EQ(mode->LastFrame()->point.x, 421);
    UpdateWindow(overlay);
    Send(WM_MOUSEMOVE, {421, 330});
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    // The next real move draws as before.
    Send(WM_MOUSEMOVE, {422, 330});
    EXPECT_TRUE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_EQ(WorkAt(422, 100), kLine);
    EXPECT_EQ(WorkAt(421, 100), ScreenPattern(421, 100));
}

}  // namespace
}  // namespace Vorlune::Test
