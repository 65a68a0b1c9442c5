// What only two monitors show: a virtual screen from (-1920, 0) to (1920, 1080), the
// primary on the right. Snapshot x = screen x + 1920.
#include <gtest/gtest.h>

#include "Capture/RectangleCapture.h"
#include "GlimraApp.h"
#include "MonitorDpiGuard.h"
#include "Output.h"
#include "Screen.h"
#include "ToolbarHost.h"
#include "Wait.h"
#include "core/ToolbarLayout.h"
#include "draw/MouseToolTip.h"

namespace Vorlune::Test {
namespace {

class Dual : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1920);
        ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3840);
    }
    OwnerWindow owner;
};

// The overlay shows the frozen left monitor too. Enter anchors at the cursor, arrows move it
// across the monitors' seam, Enter finishes.
TEST_F(Dual, RectangleByKeyboardAcrossBothMonitors) {
    auto pattern = std::make_unique<PatternWindow>(RECT{-400, 100, 400, 600});
    ASSERT_TRUE(pattern->Shown());
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    auto mode = MakeCaptureMode<RectangleCaptureWithMagnifier>(owner.Handle());
    ASSERT_TRUE(PlaceCursor({-3, 150}));
    int finished = 0;
    mode->Act([&] { ++finished; });
    HWND overlay = FindWindowW(L"RectangleCaptureWithMagnifier", nullptr);
    pattern.reset();
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(-300, 500) == ScreenPattern(-300, 500); }))
        << "the frozen image in its place";
    // Sent, not posted: no mouse move from the queue comes between the keys.
    for (WPARAM key :
         {VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
        SendMessageW(overlay, WM_KEYDOWN, key, 0);
    ASSERT_EQ(finished, 1);
    EXPECT_TRUE(ShowsThePattern(images.Image(0), {-3, 150, 4, 154}));
}

TEST_F(Dual, ToolTipFlipsInsideTheMonitorUnderTheCursor) {
    const OwnedDC dc(CreateCompatibleDC(nullptr));
    for (auto [x, flips] : {std::pair{1400L, false}, {1900L, true}, {2000L, false}, {3800L, true}}) {
        const RECT box =
            DrawMouseToolTip(dc.get(), {-1920, 0, 1920, 1080}, {x, 500}, L" Handle=0x0000001C, Width=640, Height=480 ");
        EXPECT_EQ(box.right < x, flips) << x;
    }
}

// Left of the primary monitor is on the screen; off both, the toolbar starts at the middle of the two.
TEST_F(Dual, TheStoredPlaceIsClampedToTheVirtualScreen) {
    const struct {
        const wchar_t* stored;
        LONG x;
    } places[] = {{L"-1000", -1000}, {L"-5000", 0}};
    for (const auto& place : places) {
        GlimraApp app;
        ASSERT_TRUE(app.Start(std::wstring(L"[App]\r\nPositionX=") + place.stored + L"\r\nPositionY=200\r\n"));
        EXPECT_EQ(app.WindowRect().left, place.x) << Narrow(place.stored);
        EXPECT_EQ(app.Close(), 0u);
    }
}

// The zoom window's frame and the cross-hair's thickness on each side; near the seam, the zoom
// window reaching onto the right monitor keeps the size of the left one, where the cursor is.
TEST_F(Dual, TheMarksTakeTheDpiOfTheMonitorUnderTheCursor) {
    const MonitorDpiGuard dpis(LeftAt96RightAt144);
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    auto mode = MakeCaptureMode<RectangleCaptureWithMagnifier>(owner.Handle());
    ASSERT_TRUE(PlaceCursor({-1000, 500}));
    mode->Act([] {});
    HWND overlay = FindWindowW(L"RectangleCaptureWithMagnifier", nullptr);
    // The real cursor goes there too, and the move is sent on until drawn: a move Wine makes from
    // the cursor's last place can come after the one sent.
    const auto frameAt = [&](POINT cursor, int dpi) {
        PlaceCursor(cursor);
        const POINT corner = {cursor.x + Scaled(50, dpi), cursor.y + Scaled(50, dpi)};
        return WaitUntil([&] {
            SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x + 1920, cursor.y));
            return ScreenRun(corner, 0x0000FF, Towards::Right) == Scaled(300, dpi) + 1;
        });
    };
    EXPECT_TRUE(frameAt({-1000, 500}, 96));
    EXPECT_EQ(ScreenRun({-1500, 500}, 0x0000FF, Towards::Down), 1);
    EXPECT_TRUE(frameAt({1000, 500}, 144));
    EXPECT_EQ(ScreenRun({500, 500}, 0x0000FF, Towards::Down), 2);
    EXPECT_TRUE(frameAt({-10, 500}, 96));
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
}

// The overlay covers both monitors whatever Windows suggests when one of them changes scale.
TEST_F(Dual, TheOverlayKeepsItsPlaceWhenADpiChanges) {
    auto mode = MakeCaptureMode<RectangleCapture>(owner.Handle());
    mode->Act([] {});
    HWND overlay = FindWindowW(L"RectangleCapture", nullptr);
    RECT suggested = {0, 0, 1920, 1080};
    SendMessageW(overlay, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT now = WindowRect(overlay);
    EXPECT_EQ(now.left, -1920);
    EXPECT_EQ(now.right, 1920);
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
}

bool HasSize(HWND window, Size size) { return ToCore(SizeOf(WindowRect(window))) == size; }

// Moved by Windows or by a drag, the toolbar lays itself out for the monitor it comes to, and
// a click on the centre of each button of that layout runs it.
TEST_F(Dual, TheToolbarFollowsTheDpiOfItsMonitor) {
    const MonitorDpiGuard dpis(LeftAt96RightAt144);
    ToolbarHost& toolbar = ToolbarHost::Get();  // on the right monitor
    toolbar.Build();
    ASSERT_TRUE(WaitUntil([&] { return HasSize(toolbar.hwnd, LayOutToolbar(144).window); }));
    SetWindowPos(toolbar.hwnd, nullptr, -1000, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return HasSize(toolbar.hwnd, LayOutToolbar(96).window); }));
    EXPECT_EQ(TopLeft(WindowRect(toolbar.hwnd)).x, -1000);
    SetWindowPos(toolbar.hwnd, nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return HasSize(toolbar.hwnd, LayOutToolbar(144).window); }));
    for (const Rect& button : LayOutToolbar(144).clientArea.commands) {
        const Point centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        toolbar.Send(WM_LBUTTONDOWN, centre.x, centre.y);
        toolbar.Send(WM_LBUTTONUP, centre.x, centre.y);
    }
    EXPECT_EQ(toolbar.ran, (std::vector<int>{0, 1, 2, 3, 4}));
}

// What Windows itself sends on a move to another monitor: the suggested place, the toolbar's
// own size.
TEST_F(Dual, TheToolbarTakesThePlaceWindowsSuggestsForANewDpi) {
    const MonitorDpiGuard dpis([](HMONITOR monitor) { return LeftAt96RightAt144(monitor) == 96 ? 192 : 96; });
    ToolbarHost& toolbar = ToolbarHost::Get();
    toolbar.Build();
    RECT suggested = {-1500, 200, -1500 + 460, 200 + 177};  // a size off by Windows' rounding
    SendMessageW(toolbar.hwnd, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    const RECT now = WindowRect(toolbar.hwnd);
    EXPECT_EQ(TopLeft(now).x, -1500);
    EXPECT_EQ(TopLeft(now).y, 200);
    EXPECT_TRUE(HasSize(toolbar.hwnd, LayOutToolbar(192).window));
}

}  // namespace
}  // namespace Vorlune::Test
