#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Capture/Dib.h"
#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "Scratch.h"
#include "SettingGuard.h"
#include "Wait.h"

// What the rectangle overlays show, driven by sent mouse messages and read off the screen.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;

class RectangleDrawing : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }
    void TearDown() override { End(); }
    void End() {
        if (overlay != nullptr) SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        overlay = nullptr;
        mode.reset();
        PumpMessages();
    }
    // The previous capture's overlay goes first, so that the class name finds only the new one.
    template <class Mode>
    void Begin(const wchar_t* className) {
        End();
        mode = MakeCaptureMode<Mode>(owner.Handle());
        mode->Act([] {});
        overlay = FindWindowW(className, nullptr);
        shown.clear();
    }
    void Send(UINT message, POINT p) {
        SendMessageW(overlay, message, 0, MAKELPARAM(p.x, p.y));
        shown.clear();
    }
    const std::vector<std::uint32_t>& Work() {
        if (shown.empty()) shown = ShownPixels(overlay, size);
        return shown;
    }
    std::uint32_t WorkAt(int x, int y) { return Work()[static_cast<size_t>(y) * size.cx + x]; }

    const SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND overlay = nullptr;
    std::vector<std::uint32_t> shown;
    PatternWindow pattern{{0, 0, 1000, 800}};
    OwnerWindow owner;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
    SettingGuard crossHairWhileDragging{SectionSettings, KeyAlwaysAuxiliaryLine, 0};
    ToggleGuard cursorOff{TextCursorToggle, 0};
    std::unique_ptr<RectangleCapture> mode;
};

TEST_F(RectangleDrawing, ZoomWindowEnlargesTheSquareUnderTheCursorByTheReadFactor) {
    const struct {
        const wchar_t* setting;
        int factor;
    } cases[] = {{L"3", 3},   {L"6", 6},  {L"10", 10}, {L"abc", 10}, {L"0", 10},
                 {L"-4", 10}, {L"1000", 300}};
    const POINT p = {500, 400};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ZoomWindowMagnification=" << Narrow(c.setting));
        StringSettingGuard factor(KeyZoomWindowMagnification, c.setting);
        Begin<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
        Send(WM_MOUSEMOVE, {200, 200});  // near the top-left corner: the window goes right and below
        Send(WM_MOUSEMOVE, p);
        auto at = [&](int x, int y) { return WorkAt(x, y); };
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
    Begin<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    Send(WM_MOUSEMOVE, {200, 200});
    Send(WM_MOUSEMOVE, {size.cx - 300, size.cy - 300});
    // Within 350 of the right and bottom edges: left of and above the cursor.
    const POINT flipped = {size.cx - 650, size.cy - 650};
    EXPECT_EQ(WorkAt(flipped.x, flipped.y), Rgb(kLine));
    EXPECT_EQ(WorkAt(flipped.x + 300, flipped.y + 300), Rgb(kLine));
    EXPECT_NE(WorkAt(size.cx - 250, size.cy - 150), Rgb(kLine));
    // It stays there on the way back, until that side would leave the screen.
    Send(WM_MOUSEMOVE, {400, 360});
    for (int y = 10; y < 310; y += 50) EXPECT_EQ(WorkAt(50, y), Rgb(kLine)) << y;
    EXPECT_EQ(WorkAt(450, 410), Rgb(ScreenPattern(450, 410)));

    Send(WM_MOUSEMOVE, {5, 5});
    // Factor 10 reads (-10, -10)-(20, 20); the window is back right and below, at (55, 55).
    EXPECT_EQ(WorkAt(55 + 50, 55 + 200), 0x000000u);
    EXPECT_EQ(WorkAt(55 + 200, 55 + 50), 0x000000u);
    EXPECT_EQ(WorkAt(55 + 250, 55 + 250), Rgb(ScreenPattern(15, 15)));
}

TEST_F(RectangleDrawing, SelectionFrameIsTheBorderOfTheAreaAndTheCrossHairFollowsTheSetting) {
    for (int always : {0, 1}) {
        SCOPED_TRACE(always);
        SettingGuard setting(SectionSettings, KeyAlwaysAuxiliaryLine, always);
        Begin<RectangleCapture>(L"RectangleCapture");
        Send(WM_MOUSEMOVE, {340, 230});
        // Before the drag the cross-hair spans the screen.
        EXPECT_EQ(WorkAt(0, 230), Rgb(kLine));
        EXPECT_EQ(WorkAt(size.cx - 1, 230), Rgb(kLine));
        EXPECT_EQ(WorkAt(340, 0), Rgb(kLine));
        EXPECT_EQ(WorkAt(340, 700), Rgb(kLine));
        Send(WM_LBUTTONDOWN, {340, 230});
        Send(WM_MOUSEMOVE, {300, 200});
        for (int x = 299; x <= 341; ++x)
            for (int y = 199; y <= 231; ++y) {
                const bool border = (x == 300 || x == 340) && y >= 200 && y <= 230;
                const bool edge = (y == 200 || y == 230) && x >= 300 && x <= 340;
                const bool onCrossHair = always == 1 && (x == 300 || y == 200);
                ASSERT_EQ(WorkAt(x, y), border || edge || onCrossHair ? kLine : Rgb(ScreenPattern(x, y))) << x << "," << y;
            }
        EXPECT_EQ(WorkAt(700, 200), always == 1 ? kLine : Rgb(ScreenPattern(700, 200)));
        EXPECT_EQ(WorkAt(300, 600), always == 1 ? kLine : Rgb(ScreenPattern(300, 600)));
        // The old cross-hair is gone.
        EXPECT_EQ(WorkAt(700, 230), Rgb(ScreenPattern(700, 230)));
        TearDown();
    }
}

TEST_F(RectangleDrawing, AMoveToThePointAlreadyDrawnRepaintsNothing) {
    // The arrow key moves the real cursor.
    ASSERT_TRUE(PlaceCursor({420, 330}));
    Begin<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    Send(WM_MOUSEMOVE, {420, 330});
    const std::vector<std::uint32_t> drawn = Work();
    RECT update = {};
    ASSERT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    Send(WM_MOUSEMOVE, {420, 330});
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    shown.clear();
    EXPECT_EQ(Work(), drawn);
    // An arrow key draws its point at once; the move message it causes then adds nothing.
    SendMessageW(overlay, WM_KEYDOWN, VK_RIGHT, 0);
    shown.clear();
    EXPECT_EQ(WorkAt(421, 100), Rgb(kLine));
    Send(WM_MOUSEMOVE, {421, 330});
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    // The next real move draws as before.
    Send(WM_MOUSEMOVE, {422, 330});
    EXPECT_TRUE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_EQ(WorkAt(422, 100), Rgb(kLine));
    EXPECT_EQ(WorkAt(421, 100), Rgb(ScreenPattern(421, 100)));
}

// The painter on a surface of its own: with factors 1 and 2 the source square reaches into
// the zoom window, and a scratch surface that could not be made is tried again.
TEST(ZoomPainter, SourceIsReadBeforeTheWindowAndAFailedScratchIsMadeAgain) {
    const BITMAPINFO info = DibInfo(600, 600, 32);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    auto fill = [&] {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x) pixels[(599 - y) * 600 + x] = Rgb(ScreenPattern(x, y));
    };
    auto at = [&](int x, int y) { return pixels[(599 - y) * 600 + x]; };
    RectangleFrame frame;
    frame.point = {200, 200};
    frame.zoom = {250, 250, 550, 550};
    frame.colour = kLine;
    RectangleFramePainter painter;
    for (int factor : {1, 2}) {
        SCOPED_TRACE(factor);
        fill();
        frame.magnification = factor;
        painter.Paint(dc, {600, 600}, frame);
        GdiFlush();
        const int half = 150 / factor;
        for (int i = 1; i < 300; i += 7) {
            const int s = 200 - half + i / factor;  // where zoom pixel (i, i) comes from
            EXPECT_EQ(at(250 + i, 250 + i), Rgb(ScreenPattern(s, s))) << i;
        }
    }
    // Out of GDI handles but one: the scratch DC can be made, its bitmap cannot.
    RectangleFramePainter starved;
    frame.magnification = 10;
    std::vector<HBRUSH> hog;
    for (HBRUSH b; (b = CreateSolidBrush(0)) != nullptr;) hog.push_back(b);
    DeleteObject(hog.back());
    hog.pop_back();
    starved.Paint(dc, {600, 600}, frame);
    for (HBRUSH b : hog) DeleteObject(b);
    fill();
    starved.Paint(dc, {600, 600}, frame);
    GdiFlush();
    EXPECT_EQ(at(300, 300), Rgb(ScreenPattern(190, 190)));  // enlarged from around the cursor, not black
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
}  // namespace Vorlune::Test
