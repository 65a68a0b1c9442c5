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

// The snapshot's DCs and their bitmaps, all of which a capture's end must free.
std::vector<HGDIOBJ> GdiObjectsOf(const ScreenSnapshot& snapshot) {
    std::vector<HGDIOBJ> objects;
    for (HDC dc : {snapshot.frozenDC, snapshot.workDC, snapshot.outputDC})
        objects.insert(objects.end(), {dc, GetCurrentObject(dc, OBJ_BITMAP)});
    return objects;
}

class Overlay : public testing::Test {
protected:
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    OwnerWindow owner;
    std::unique_ptr<ProbeCapture> mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
};

// Shown without a snapshot, a paint is validated, so it does not come back. A new capture
// frees the old snapshot; up, the overlay takes the foreground back, and hidden lets it go.
TEST_F(Overlay, CoversTheVirtualScreenAndFreesTheOldSnapshotAndTheForegroundWhenDone) {
    HWND overlay = mode->Window();
    EXPECT_EQ(GetWindow(overlay, GW_OWNER), owner.Handle());
    SetWindowPos(overlay, HWND_TOPMOST, 10, 10, 80, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(overlay, nullptr, FALSE);
    UpdateWindow(overlay);
    RECT r = {};
    EXPECT_FALSE(GetUpdateRect(overlay, &r, FALSE));
    EXPECT_FALSE(HasPendingException());
    mode->Begin();
    const RECT screen = VirtualScreenRect();
    EXPECT_TRUE(GetWindowRect(overlay, &r) && EqualRect(&r, &screen));
    EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const auto first = GdiObjectsOf(*mode->Frozen());
    mode->Begin();
    for (HGDIOBJ object : first) EXPECT_EQ(GetObjectType(object), 0u);
    ColourWindow other({50, 50, 150, 150}, 0x808080);
    SetForegroundWindow(other.Handle());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == overlay; }));
    TypeKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    SetForegroundWindow(other.Handle());
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), other.Handle());
}

// Every way a capture ends: the callback once, the overlay hidden but kept for the next
// capture, the snapshot freed, and stray messages afterwards reaching nothing.
TEST_F(Overlay, EveryEndRunsTheCallbackOnceAndKeepsTheOverlay) {
    ImageFolderGuard images;
    const std::pair<const char*, void (*)(HWND)> ends[] = {
        {"Escape", [](HWND) { TypeKeys({VK_ESCAPE}); }},
        {"Enter, the whole screen output", [](HWND) { TypeKeys({VK_RETURN}); }},
        {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"Alt+F4", [](HWND) { SendKey(VK_MENU, 0), TypeKeys({VK_F4}), SendKey(VK_MENU, KEYEVENTF_KEYUP); }},
    };
    int count = 0;
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        mode->Begin();
        HWND overlay = mode->Window();
        const auto objects = GdiObjectsOf(*mode->Frozen());
        ASSERT_TRUE(IsWindowVisible(overlay));
        end(overlay);
        ASSERT_TRUE(WaitUntil([&] { return mode->finished == count + 1; }));
        ++count;
        EXPECT_TRUE(IsWindow(overlay));
        EXPECT_FALSE(IsWindowVisible(overlay));
        EXPECT_EQ(mode->Frozen(), nullptr);
        for (HGDIOBJ object : objects) EXPECT_EQ(GetObjectType(object), 0u);
        for (WPARAM key : {VK_ESCAPE, VK_RETURN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
        SendMessageW(overlay, WM_CLOSE, 0, 0);
        SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_EQ(mode->finished, count);
        EXPECT_FALSE(Contains(mode->PointsOf(WM_MOUSEMOVE), {5, 5}));
    }
    EXPECT_EQ(images.Images().size(), 1u);
}

TEST(OverlayLifetime, FailedCreationLeavesNoHandlerBound) {
    MessageMap& map = OverlayMessageMap<ProbeCapture>();
    ASSERT_TRUE(map.Empty());
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    {
        ProbeCapture failed(gone);  // checked before its end would unbind anything
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

}  // namespace
}  // namespace Vorlune::Test
