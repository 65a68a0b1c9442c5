#include <gtest/gtest.h>

#include <stdexcept>

#include "Capture/CaptureErrors.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "MessageBoxWatcher.h"
#include "SettingGuard.h"
#include "Wait.h"
#include "app/Application.h"
#include "ui/VirtualScreen.h"
#include "ui/PendingException.h"

namespace Vorlune::Test {
namespace {

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

RECT WindowRect(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

POINT CursorPos() {
    POINT point = {};
    GetCursorPos(&point);
    return point;
}

class Overlay : public testing::Test {
protected:
    void SetUp() override { mode = MakeCaptureMode<ProbeCapture>(owner.Handle()); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    // Moves the real cursor and waits until the overlay reported the move.
    void MoveTo(POINT screen) {
        SetCursorPos(screen.x, screen.y);
        const RECT bounds = VirtualScreenRect();
        const POINT expected = {screen.x - bounds.left, screen.y - bounds.top};
        ASSERT_TRUE(WaitUntil([&] { return Contains(mode->PointsOf(WM_MOUSEMOVE), expected); }));
    }

    OwnerWindow owner;
    std::unique_ptr<ProbeCapture> mode;
};

TEST_F(Overlay, IsCreatedHiddenOneByOneTopmostAndOwned) {
    HWND overlay = mode->Window();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_TRUE(SameRect(WindowRect(overlay), RECT{0, 0, 1, 1}));
    EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongW(overlay, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
    EXPECT_EQ(GetWindow(overlay, GW_OWNER), owner.Handle());
    wchar_t className[64] = {};
    GetClassNameW(overlay, className, 64);
    EXPECT_STREQ(className, L"ProbeCapture");
    EXPECT_EQ(mode->Frozen(), nullptr);
}

TEST_F(Overlay, ShowsTheFrozenScreenOverExactlyTheVirtualScreen) {
    constexpr COLORREF kMarker = 0x20A040;
    auto marker = std::make_unique<ColourWindow>(RECT{200, 150, 260, 210}, kMarker);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kMarker; }));

    mode->Begin();
    HWND overlay = mode->Window();
    EXPECT_TRUE(IsWindowVisible(overlay));
    EXPECT_TRUE(SameRect(WindowRect(overlay), VirtualScreenRect()));
    EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), overlay);
    ASSERT_NE(mode->Frozen(), nullptr);
    const ScreenSnapshot& snapshot = *mode->Frozen();
    EXPECT_TRUE(SameRect(snapshot.bounds, VirtualScreenRect()));
    EXPECT_EQ(snapshot.size.cx, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(snapshot.size.cy, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    for (HDC dc : {snapshot.frozenDC, snapshot.workDC, snapshot.outputDC})
        EXPECT_EQ(GetPixel(dc, 210 - snapshot.bounds.left, 160 - snapshot.bounds.top), kMarker);

    // The live window goes; the overlay still shows it as it was.
    marker.reset();
    UpdateWindow(overlay);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kMarker; }));
    EXPECT_EQ(mode->finished, 0);
}

TEST_F(Overlay, RoutesMouseInSnapshotCoordinates) {
    mode->Begin();
    MoveTo({300, 200});
    LeftClick();
    ASSERT_TRUE(WaitUntil([&] { return !mode->PointsOf(WM_LBUTTONUP).empty(); }));
    RightClick();
    ASSERT_TRUE(WaitUntil([&] { return !mode->PointsOf(WM_RBUTTONUP).empty(); }));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}) {
        ASSERT_EQ(mode->PointsOf(message).size(), 1u);
        EXPECT_EQ(mode->PointsOf(message)[0].x, 300);
        EXPECT_EQ(mode->PointsOf(message)[0].y, 200);
    }
    // Press before release, in the order given.
    std::vector<UINT> order;
    for (const auto& event : mode->events)
        if (event.message != WM_MOUSEMOVE) order.push_back(event.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}));
}

// Every way a capture ends: the callback once, the overlay hidden but kept for the next
// capture, the snapshot's bitmaps gone, and stray messages afterwards reaching nothing.
TEST_F(Overlay, EveryEndRunsTheCallbackOnceAndKeepsTheOverlay) {
    ImageFolderGuard images;
    const struct {
        const char* name;
        std::function<void(HWND)> end;
    } ends[] = {
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }},
        {"Enter, the whole screen output", [](HWND) { PressKey(VK_RETURN); }},
        {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"SC_CLOSE", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4",
         [](HWND) {
             SendKey(VK_MENU, 0);
             PressKey(VK_F4);
             SendKey(VK_MENU, KEYEVENTF_KEYUP);
         }},
    };
    int count = 0;
    for (const auto& e : ends) {
        SCOPED_TRACE(e.name);
        mode->Begin();
        HWND overlay = mode->Window();
        HDC output = mode->Frozen()->outputDC;
        ASSERT_TRUE(IsWindowVisible(overlay));
        e.end(overlay);
        ASSERT_TRUE(WaitUntil([&] { return mode->finished == count + 1; }));
        ++count;
        EXPECT_TRUE(IsWindow(overlay));
        EXPECT_FALSE(IsWindowVisible(overlay));
        EXPECT_EQ(mode->Frozen(), nullptr);
        EXPECT_EQ(GetObjectType(output), 0u);
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
        SendMessageW(overlay, WM_CLOSE, 0, 0);
        SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_EQ(mode->finished, count);
        EXPECT_FALSE(Contains(mode->PointsOf(WM_MOUSEMOVE), {5, 5}));
    }
    EXPECT_EQ(images.Images().size(), 1u);
}

TEST_F(Overlay, FirstEscapeDropsTheDragSecondEndsTheCapture) {
    mode->Begin();
    MoveTo({400, 300});
    const COLORREF frozen = GetPixel(mode->Frozen()->frozenDC, 405, 305);
    ASSERT_NE(frozen, ProbeCapture::kDragMark);
    LeftClick();
    ASSERT_TRUE(WaitUntil([&] { return mode->Dragging(); }));
    EXPECT_EQ(GetPixel(mode->WorkDC(), 405, 305), ProbeCapture::kDragMark);
    UpdateWindow(mode->Window());
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(405, 305) == ProbeCapture::kDragMark; }));

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !mode->Dragging(); }));
    EXPECT_TRUE(IsWindowVisible(mode->Window()));
    EXPECT_EQ(mode->finished, 0);
    EXPECT_EQ(GetPixel(mode->WorkDC(), 405, 305), frozen);
    UpdateWindow(mode->Window());
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(405, 305) == frozen; }));

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    EXPECT_FALSE(IsWindowVisible(mode->Window()));
}

TEST_F(Overlay, ArrowKeysMoveTheCursorByOnePixelAndRedrawAsAMove) {
    mode->Begin();
    MoveTo({500, 400});
    const struct {
        WORD key;
        POINT after;
    } steps[] = {{VK_RIGHT, {501, 400}}, {VK_DOWN, {501, 401}}, {VK_LEFT, {500, 401}}, {VK_UP, {500, 400}}};
    for (const auto& step : steps) {
        PressKey(step.key);
        ASSERT_TRUE(WaitUntil([&] {
            const POINT now = CursorPos();
            return now.x == step.after.x && now.y == step.after.y;
        }));
        ASSERT_TRUE(WaitUntil([&] { return mode->PointsOf(WM_MOUSEMOVE).back().x == step.after.x &&
                                            mode->PointsOf(WM_MOUSEMOVE).back().y == step.after.y; }));
    }
    // Any other key moves nothing.
    PressKey('A');
    ASSERT_TRUE(WaitUntil([&] { return mode->keys.size() == 5; }));
    EXPECT_EQ(mode->keys.back(), static_cast<WPARAM>('A'));
    EXPECT_EQ(CursorPos().x, 500);
    EXPECT_EQ(CursorPos().y, 400);
    EXPECT_EQ(mode->finished, 0);
}

TEST_F(Overlay, TakesTheForegroundBackWhileUp) {
    mode->Begin();
    ASSERT_EQ(GetForegroundWindow(), mode->Window());
    ColourWindow other({50, 50, 150, 150}, 0x808080);
    SetForegroundWindow(other.Handle());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == mode->Window(); }));
    EXPECT_TRUE(IsWindowVisible(mode->Window()));
    // Hidden, it lets the foreground go.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    SetForegroundWindow(other.Handle());
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), other.Handle());
    EXPECT_FALSE(IsWindowVisible(mode->Window()));
}

TEST_F(Overlay, OldSnapshotIsReleasedAndEachCaptureEndsItsOwn) {
    mode->Begin();
    HDC firstDC = mode->Frozen()->frozenDC;
    HGDIOBJ firstBitmap = GetCurrentObject(firstDC, OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    EXPECT_EQ(GetObjectType(firstDC), 0u);
    EXPECT_EQ(GetObjectType(firstBitmap), 0u);

    mode->Begin();
    HDC secondDC = mode->Frozen()->workDC;
    HGDIOBJ secondBitmap = GetCurrentObject(secondDC, OBJ_BITMAP);
    mode->Begin();  // a new capture replaces the snapshot
    EXPECT_EQ(GetObjectType(secondDC), 0u);
    EXPECT_EQ(GetObjectType(secondBitmap), 0u);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 2; }));
}

TEST_F(Overlay, PaintWithoutSnapshotPaintsNothingAndInputIsIgnored) {
    HWND overlay = mode->Window();
    SetWindowPos(overlay, HWND_TOPMOST, 10, 10, 80, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(overlay, nullptr, FALSE);
    UpdateWindow(overlay);
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));  // validated, so it does not come back
    EXPECT_FALSE(HasPendingException());
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(mode->events.empty());
    EXPECT_TRUE(mode->keys.empty());
    EXPECT_TRUE(SameRect(WindowRect(overlay), RECT{10, 10, 90, 90}));
    EXPECT_EQ(mode->finished, 0);
}

TEST(OverlayLifetime, FailedCreationLeavesNoHandlerBound) {
    MessageMap& map = OverlayMessageMap<ProbeCapture>();
    ASSERT_TRUE(map.Empty());
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    {
        ProbeCapture failed(gone);
        EXPECT_THROW(failed.CreateOverlay(OverlayWindowProcedure<ProbeCapture>, map), CaptureException);
        EXPECT_TRUE(map.Empty());
        EXPECT_EQ(failed.Window(), nullptr);
    }
    EXPECT_THROW(MakeCaptureMode<ProbeCapture>(gone), CaptureException);
    EXPECT_TRUE(map.Empty());

    // The next object binds, and its end unbinds.
    OwnerWindow owner;
    auto mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
    EXPECT_FALSE(map.Empty());
    HWND overlay = mode->Window();
    mode.reset();
    EXPECT_TRUE(map.Empty());
    EXPECT_FALSE(IsWindow(overlay));
}

VOID CALLBACK QuitLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

TEST(OverlayLifetime, HandlerFailureHidesTheOverlayBeforeTheErrorBox) {
    OwnerWindow owner;
    auto mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
    mode->onLButtonUp = [](POINT) { throw std::runtime_error("probe failure"); };
    HWND overlay = mode->Window();
    int overlayVisibleAtBox = -1;
    MessageBoxWatcher watcher(0, IDOK, [&](const SeenBox&) { overlayVisibleAtBox = IsWindowVisible(overlay) ? 1 : 0; });

    UINT_PTR timer = 0;
    const int code = RunMessageLoop(
        [&] {
            mode->Begin();
            SetCursorPos(300, 300);
            LeftClick();
            timer = SetTimer(nullptr, 0, 10000, QuitLoop);  // in case the failure never comes
            return true;
        },
        nullptr);
    KillTimer(nullptr, timer);

    EXPECT_EQ(code, 1);
    ASSERT_TRUE(watcher.WaitForCount(1));
    EXPECT_EQ(watcher.Seen()[0].text, L"probe failure");
    EXPECT_EQ(overlayVisibleAtBox, 0);
    EXPECT_EQ(mode->PointsOf(WM_LBUTTONUP).size(), 1u);
    EXPECT_FALSE(HasPendingException());
}

TEST(OverlayLifetime, FailureInsideActEndsTheCaptureAndRunsTheCallbackOnce) {
    struct FailingStart : ProbeCapture {
        explicit FailingStart(HWND owner) : ProbeCapture(owner, L"FailingStart") {}
        void Start() override {
            ShowOverlay();
            throw std::runtime_error("start failed");
        }
    };
    OwnerWindow owner;
    auto mode = MakeCaptureMode<FailingStart>(owner.Handle());
    EXPECT_THROW(mode->Begin(), std::runtime_error);
    EXPECT_FALSE(IsWindowVisible(mode->Window()));
    EXPECT_EQ(mode->Frozen(), nullptr);
    EXPECT_EQ(mode->finished, 1) << "the toolbar must come back";
}

}  // namespace
}  // namespace Vorlune::Test
