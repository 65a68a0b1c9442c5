#include <gtest/gtest.h>

#include <stdexcept>

#include "Capture/CaptureErrors.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "MessageBoxWatcher.h"
#include "Wait.h"
#include "app/Application.h"
#include "ui/PendingException.h"
#include "ui/VirtualScreen.h"

namespace Vorlune::Test {
namespace {

bool HasRect(HWND hwnd, RECT wanted) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return EqualRect(&rect, &wanted) != FALSE;
}

// The snapshot's DCs and their bitmaps, all of which a capture's end must free.
std::vector<HGDIOBJ> GdiObjectsOf(const ScreenSnapshot& snapshot) {
    std::vector<HGDIOBJ> objects;
    for (HDC dc : {snapshot.frozenDC, snapshot.workDC, snapshot.outputDC})
        objects.insert(objects.end(), {dc, GetCurrentObject(dc, OBJ_BITMAP)});
    return objects;
}

void ExpectFreed(const std::vector<HGDIOBJ>& objects) {
    for (HGDIOBJ object : objects) EXPECT_EQ(GetObjectType(object), 0u);
}

class Overlay : public testing::Test {
protected:
    void SetUp() override { mode = MakeCaptureMode<ProbeCapture>(owner.Handle()); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    // The cursor is at p and the overlay saw it there (snapshot points are screen points here).
    bool Seen(POINT p) {
        return WaitUntil([&] {
            POINT now = {};
            GetCursorPos(&now);
            return now.x == p.x && now.y == p.y && Contains(mode->PointsOf(WM_MOUSEMOVE), p);
        });
    }
    bool WaitEnds(int count) {
        return WaitUntil([&] { return mode->finished == count; });
    }

    OwnerWindow owner;
    std::unique_ptr<ProbeCapture> mode;
};

TEST_F(Overlay, IsMadeHiddenAndShowsTheFrozenScreenOverExactlyTheVirtualScreen) {
    HWND overlay = mode->Window();
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_TRUE(HasRect(overlay, {0, 0, 1, 1}));
    EXPECT_EQ(GetWindowLongW(overlay, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
    EXPECT_EQ(GetWindow(overlay, GW_OWNER), owner.Handle());
    constexpr COLORREF kMarker = 0x20A040;
    auto marker = std::make_unique<ColourWindow>(RECT{200, 150, 260, 210}, kMarker);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kMarker; }));
    mode->Begin();
    EXPECT_TRUE(IsWindowVisible(overlay));
    EXPECT_TRUE(HasRect(overlay, VirtualScreenRect()));
    EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetForegroundWindow(), overlay);
    ASSERT_NE(mode->Frozen(), nullptr);
    const ScreenSnapshot& snapshot = *mode->Frozen();
    const RECT screen = VirtualScreenRect();
    EXPECT_TRUE(EqualRect(&snapshot.bounds, &screen));
    for (HDC dc : {snapshot.frozenDC, snapshot.workDC, snapshot.outputDC}) EXPECT_EQ(GetPixel(dc, 210, 160), kMarker);
    marker.reset();
    UpdateWindow(overlay);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kMarker; })) << "still shown as it was";
    EXPECT_EQ(mode->finished, 0);
}

TEST_F(Overlay, RoutesMouseInOrderAndArrowsMoveTheCursorOnePixel) {
    mode->Begin();
    SetCursorPos(300, 200);
    ASSERT_TRUE(Seen({300, 200}));
    LeftClick();
    RightClick();
    ASSERT_TRUE(WaitUntil([&] { return !mode->PointsOf(WM_RBUTTONUP).empty(); }));
    std::vector<UINT> order;
    for (const auto& event : mode->events)
        if (event.message != WM_MOUSEMOVE && event.point.x == 300 && event.point.y == 200) order.push_back(event.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP}));
    const struct {
        WORD key;
        POINT after;
    } steps[] = {{VK_RIGHT, {301, 200}}, {VK_DOWN, {301, 201}}, {VK_LEFT, {300, 201}}, {VK_UP, {300, 200}}};
    for (const auto& step : steps) {
        PressKey(step.key);
        EXPECT_TRUE(Seen(step.after)) << step.key;
    }
    PressKey('A');
    ASSERT_TRUE(WaitUntil([&] { return mode->keys.size() == 5; }));
    EXPECT_TRUE(Seen({300, 200})) << "other keys move nothing";
    EXPECT_EQ(mode->finished, 0);
}

// Every way a capture ends: the callback once, the overlay hidden but kept for the next
// capture, the snapshot freed, and stray messages afterwards reaching nothing.
TEST_F(Overlay, EveryEndRunsTheCallbackOnceAndKeepsTheOverlay) {
    ImageFolderGuard images;
    const std::pair<const char*, void (*)(HWND)> ends[] = {
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
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        mode->Begin();
        HWND overlay = mode->Window();
        const auto objects = GdiObjectsOf(*mode->Frozen());
        ASSERT_TRUE(IsWindowVisible(overlay));
        end(overlay);
        ASSERT_TRUE(WaitEnds(++count));
        EXPECT_TRUE(IsWindow(overlay));
        EXPECT_FALSE(IsWindowVisible(overlay));
        EXPECT_EQ(mode->Frozen(), nullptr);
        ExpectFreed(objects);
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
        SendMessageW(overlay, WM_CLOSE, 0, 0);
        SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_EQ(mode->finished, count);
        EXPECT_FALSE(Contains(mode->PointsOf(WM_MOUSEMOVE), {5, 5}));
    }
    EXPECT_EQ(images.Images().size(), 1u);
}

// A new capture frees the old snapshot. Up, the overlay takes the foreground back; the first
// Escape drops the drag, the second ends the capture, and hidden it lets the foreground go.
TEST_F(Overlay, FirstEscapeDropsTheDragSecondEndsTheCapture) {
    mode->Begin();
    const auto first = GdiObjectsOf(*mode->Frozen());
    mode->Begin();
    ExpectFreed(first);
    ColourWindow other({50, 50, 150, 150}, 0x808080);
    SetForegroundWindow(other.Handle());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == mode->Window(); }));
    SetCursorPos(400, 300);
    ASSERT_TRUE(Seen({400, 300}));
    const COLORREF frozen = GetPixel(mode->Frozen()->frozenDC, 405, 305);
    ASSERT_NE(frozen, ProbeCapture::kDragMark);
    LeftClick();
    ASSERT_TRUE(WaitUntil([&] { return mode->Dragging(); }));
    EXPECT_EQ(GetPixel(mode->WorkDC(), 405, 305), ProbeCapture::kDragMark);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(405, 305) == ProbeCapture::kDragMark; }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !mode->Dragging(); }));
    EXPECT_EQ(GetPixel(mode->WorkDC(), 405, 305), frozen);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(405, 305) == frozen; }));
    EXPECT_TRUE(IsWindowVisible(mode->Window()));
    EXPECT_EQ(mode->finished, 0);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitEnds(1));
    EXPECT_FALSE(IsWindowVisible(mode->Window()));
    SetForegroundWindow(other.Handle());
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), other.Handle());
}

TEST_F(Overlay, PaintWithoutSnapshotPaintsNothingAndInputIsIgnored) {
    HWND overlay = mode->Window();
    SetWindowPos(overlay, HWND_TOPMOST, 10, 10, 80, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(overlay, nullptr, FALSE);
    UpdateWindow(overlay);
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE)) << "validated, so it does not come back";
    EXPECT_FALSE(HasPendingException());
    SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20));
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(mode->events.empty() && mode->keys.empty());
    EXPECT_TRUE(HasRect(overlay, {10, 10, 90, 90}));
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
    OwnerWindow owner;  // the next object binds, and its end unbinds
    auto mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
    EXPECT_FALSE(map.Empty());
    HWND overlay = mode->Window();
    mode.reset();
    EXPECT_TRUE(map.Empty());
    EXPECT_FALSE(IsWindow(overlay));
}

TEST(OverlayLifetime, HandlerFailureHidesTheOverlayBeforeTheErrorBox) {
    OwnerWindow owner;
    auto mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
    mode->onLButtonUp = [](POINT) { throw std::runtime_error("probe failure"); };
    HWND overlay = mode->Window();
    int visibleAtBox = -1;
    MessageBoxWatcher watcher(0, IDOK, [&](const SeenBox&) { visibleAtBox = IsWindowVisible(overlay) ? 1 : 0; });
    UINT_PTR timer = 0;
    const int code = RunMessageLoop(
        [&] {
            mode->Begin();
            SetCursorPos(300, 300);
            LeftClick();
            // In case the failure never comes.
            timer = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
            return true;
        },
        nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(code, 1);
    ASSERT_TRUE(watcher.WaitForCount(1));
    EXPECT_EQ(watcher.Seen()[0].text, L"probe failure");
    EXPECT_EQ(visibleAtBox, 0);
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
