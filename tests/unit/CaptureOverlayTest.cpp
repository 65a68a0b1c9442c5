#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Capture/CaptureErrors.h"
#include "Capture/CountdownWindow.h"
#include "Capture/DesktopCapture.h"
#include "GlimraApp.h"  // PressKey
#include "Output.h"
#include "Screen.h"
#include "SettingGuard.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "settings_dialog/Pickers.h"  // GetWindowTextString
#include "ui/PendingException.h"

// The overlay every mode shows, then the delayed whole-screen mode.
namespace Vorlune::Test {
namespace {

// Counts what reaches it; Escape ends it.
class ProbeCapture : public CaptureBase {
public:
    explicit ProbeCapture(HWND owner) : CaptureBase(owner, L"ProbeCapture") {}

    void Begin() {
        Act([this] { ++finished; });
    }  // Act with a callback that counts
    HWND Window() const { return overlay.get(); }
    const ScreenSnapshot* Frozen() const { return snapshot.get(); }

    int finished = 0;
    int moves = 0;
    int releases = 0;
    bool failRelease = false;

protected:
    void Prepare() override { TakeSnapshot(); }
    void Start() override { ShowOverlay(); }
    void OnMouseMove(POINT) override { ++moves; }
    void OnLButtonUp(POINT) override {
        ++releases;
        if (failRelease) throw std::runtime_error("probe failure");
    }
};

class Overlay : public testing::Test {
protected:
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    OwnerWindow owner;
    std::unique_ptr<ProbeCapture> mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
};

// Kept for the next capture, in front only while up; stray messages after the end reach nothing.
class OverlayEnd : public Overlay, public testing::WithParamInterface<void (*)(HWND)> {};
TEST_P(OverlayEnd, FinishesTheCaptureExactlyOnce) {
    PatternWindow other({50, 50, 150, 150});
    mode->Begin();
    HWND overlay = mode->Window();
    SetForegroundWindow(other.Handle());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == overlay; }));
    GetParam()(overlay);
    ASSERT_TRUE(WaitUntil([&] { return mode->finished == 1; }));
    EXPECT_TRUE(IsWindow(overlay));
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_EQ(mode->Frozen(), nullptr);  // the frozen screen's memory goes with the capture
    const int moves = mode->moves;
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(overlay, WM_CLOSE, 0, 0);
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(mode->finished, 1);
    EXPECT_EQ(mode->moves, moves);
    SetForegroundWindow(other.Handle());
    PumpMessages();
    EXPECT_EQ(GetForegroundWindow(), other.Handle());
}
void TypeEscape(HWND) { PressKey(VK_ESCAPE); }
void PostClose(HWND overlay) { PostMessageW(overlay, WM_CLOSE, 0, 0); }
INSTANTIATE_TEST_SUITE_P(Overlay, OverlayEnd, testing::Values(TypeEscape, PostClose),
                         [](const auto& end) { return end.param == TypeEscape ? "Escape" : "WM_CLOSE"; });

TEST_F(Overlay, APaintWithoutASnapshotIsValidated) {
    HWND overlay = mode->Window();
    SetWindowPos(overlay, HWND_TOPMOST, 10, 10, 80, 80, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(overlay, nullptr, FALSE);
    UpdateWindow(overlay);
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_FALSE(HasPendingException());
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
    OwnerWindow owner;  // the next object binds, and its end unbinds
    auto mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
    EXPECT_FALSE(map.Empty());
    HWND overlay = mode->Window();
    mode.reset();
    EXPECT_TRUE(map.Empty());
    EXPECT_FALSE(IsWindow(overlay));
}

// Reported in a box over no overlay, then the capture ends as Escape ends it; the program goes on.
TEST_F(Overlay, AHandlerFailureEndsOnlyTheCapture) {
    bool overlayUpDuringBox = true;
    MessageBoxWatcher boxes(0, IDOK,
                            [&](const SeenBox&) { overlayUpDuringBox = IsWindowVisible(mode->Window()) != FALSE; });
    mode->failRelease = true;
    mode->Begin();
    for (int i = 0; i < 2; ++i) SendMessageW(mode->Window(), WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    EXPECT_EQ(boxes.Texts(), App().title + L"|probe failure|");
    EXPECT_FALSE(overlayUpDuringBox);
    EXPECT_EQ(mode->releases, 1);
    EXPECT_EQ(mode->finished, 1);
    EXPECT_FALSE(IsEnding());
}

// A 32 x 32 cursor with its hot spot at (5, 7), black 3 x 3 from the hot spot and white at (5, 5)
// from it, made the current one with the mouse at (x, y) over a pattern window of this test.
struct TestCursor {
    TestCursor(int x, int y) : window({x - 50, y - 50, x + 50, y + 50}) {
        BYTE andPlane[32 * 4];
        BYTE xorPlane[32 * 4] = {};
        std::fill(std::begin(andPlane), std::end(andPlane), BYTE{0xFF});
        for (int row = 7; row < 10; ++row) andPlane[row * 4] = 0xF8;  // x 5 to 7, black
        andPlane[12 * 4 + 1] = 0xDF;  // x 10, white
        xorPlane[12 * 4 + 1] = 0x20;
        cursor = CreateCursor(GetModuleHandleW(nullptr), 5, 7, 32, 32, andPlane, xorPlane);
        SetForegroundWindow(window.Handle());
        SetCursorPos(x, y);
        ready = cursor != nullptr && WaitUntil([&] {
                    SetCursor(cursor);
                    CURSORINFO info = {sizeof info, 0, nullptr, {}};
                    return GetCursorInfo(&info) && info.hCursor == cursor && info.ptScreenPos.x == x &&
                           info.ptScreenPos.y == y;
                });
    }
    ~TestCursor() { DestroyCursor(cursor); }
    PatternWindow window;
    HCURSOR cursor = nullptr;
    bool ready = false;
};

// What the test saw at each wait.
struct SeenWait {
    DWORD milliseconds;
    std::wstring caption;
    bool visible, focused;
    size_t images;
};

class Delayed : public testing::Test {
protected:
    void SetUp() override { App().title = L"Glimra"; }
    void TearDown() override {
        App().title.clear();
        App().Language = oldLanguage;
        PumpMessages();
    }
    void Run() {
        mode.Act([this] { ++finished; });
    }

    ImageFolderGuard folder;
    ToggleGuard cursorOn{TextCursorToggle, 1};
    OwnerWindow owner;
    std::vector<SeenWait> waits;
    std::function<void()> onWait;
    int finished = 0;
    int oldLanguage = App().Language;
    // Its injected waits record what is on screen, then run onWait.
    DelayedDesktopCapture mode{owner.Handle(), [this](DWORD ms) {
                                   HWND window = FindWindowW(kCountdownClassName, nullptr);
                                   waits.push_back({ms, GetWindowTextString(window), IsWindowVisible(window) != FALSE,
                                                    window && GetForegroundWindow() == window, folder.Images().size()});
                                   if (onWait) onWait();
                               }};
};

// Out of int's range, the delay fails before anything is shown (no number and none are the
// journeys' part).
TEST_F(Delayed, ADelayOutOfRangeFailsBeforeAnythingIsShown) {
    StringSettingGuard delay(KeyDelaySeconds, L"99999999999");
    try {
        Run();
        ADD_FAILURE() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "stoi argument out of range");
    }
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(folder.Images().empty());
    EXPECT_TRUE(waits.empty());
}

// Three seconds count down, then the screen is saved with the cursor painted where it is by then.
TEST_F(Delayed, TheScreenIsSavedOnceTheSecondsHaveCountedDown) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    App().Language = 0;
    std::unique_ptr<TestCursor> moved;
    onWait = [&] {
        if (!moved) moved = std::make_unique<TestCursor>(700, 500);
    };
    Run();
    EXPECT_EQ(finished, 1);
    // The settle pause after the countdown goes is the injected wait too; nothing is written before it.
    ASSERT_EQ(waits.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(waits[i].caption, i < 3 ? L"Glimra " + std::to_wstring(3 - i) + L" 秒" : L"");
        EXPECT_EQ(waits[i].milliseconds, i < 3 ? 1000u : 100u);
        EXPECT_EQ(waits[i].visible, i < 3);
        EXPECT_FALSE(waits[i].focused);
        EXPECT_EQ(waits[i].images, 0u);
    }
    ASSERT_TRUE(moved && moved->ready);
    const DecodedImage image = folder.Image(0);
    ASSERT_EQ(std::make_pair(image.width, image.height),
              std::make_pair(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    for (int y = 500; y < 503; ++y)
        for (int x = 700; x < 703; ++x) EXPECT_EQ(image.Pixel(x, y), 0x000000u) << x << "," << y;
    EXPECT_EQ(image.Pixel(705, 505), 0xFFFFFFu);
    EXPECT_EQ(image.Pixel(740, 540), ScreenPattern(740, 540));
}

TEST_F(Delayed, ADelayLongerThanTheSettingsOfferCountsDownFromFifteen) {
    StringSettingGuard delay(KeyDelaySeconds, L"100000");
    App().Language = 1;
    Run();
    ASSERT_EQ(waits.size(), 16u);  // fifteen seconds and the settle pause
    EXPECT_EQ(waits.front().caption, L"Glimra 15 Sec.");
    EXPECT_EQ(finished, 1);
}

TEST(CountdownCaption, IsCutTo99Characters) {
    EXPECT_EQ(CountdownCaption(std::wstring(120, L'x'), 3, L"Sec."), std::wstring(99, L'x'));
    const std::wstring title95(95, L'y');
    EXPECT_EQ(CountdownCaption(title95, 2147483647, L"Sec."), title95 + L" 214");
}

}  // namespace
}  // namespace Vorlune::Test
