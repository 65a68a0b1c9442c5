#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "../helpers/Scene.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/WindowCapture.h"
#include "Capture/WindowGeometry.h"
#include "CaptureProbe.h"
#include "FakeDwm.h"
#include "ImageFiles.h"
#include "OutputTestSupport.h"
#include "PatternWindow.h"
#include "Process.h"
#include "ui/PendingException.h"

// The four window modes driven over the windows of another process; the output is read
// back from the file, the scene's stacking afterwards from the system.
namespace Vorlune::Test {
namespace {
using namespace Scene;

constexpr int kDesktopWindow = -1;  // GetDesktopWindow(), at its own rectangle
constexpr int kWholeScreen = -2;    // GetDesktopWindow(), the whole virtual screen highlighted
constexpr int kScreen = -3;         // a point in screen coordinates
constexpr int kChild = 100;         // kChild + i: kChildren[i]

enum class Mode { Top, All, HiddenTop, HiddenAll };

struct WindowState {
    HWND window;
    RECT rect;
    bool topmost;
    bool operator==(const WindowState& o) const {
        return window == o.window && EqualRect(&rect, &o.rect) && topmost == o.topmost;
    }
};

void PrintTo(const WindowState& s, std::ostream* os) {
    wchar_t title[64] = {};
    GetWindowTextW(s.window, title, 64);
    *os << Narrow(title) << (s.topmost ? " topmost " : " ") << s.rect.left << "," << s.rect.top;
}

RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

class SceneCapture : public testing::Test {
protected:
    void SetUp() override {
        for (const Window& w : kWindows)
            windows.push_back(scene.WaitWindow(w.flags & Desktop ? L"Progman" : L"GlimraScene", w.title));
        ASSERT_EQ(std::count(windows.begin(), windows.end(), nullptr), 0);
        children.resize(std::size(kChildren));
        // The children come last.
        ASSERT_TRUE(WaitUntil([&] {
            for (int top : {0, 1})
                EnumChildWindows(windows[top], [](HWND child, LPARAM list) {
                    auto& found = *reinterpret_cast<std::vector<HWND>*>(list);
                    const auto i = static_cast<size_t>(GetWindowLongPtrW(child, GWLP_USERDATA) - 20);
                    if (i < found.size()) found[i] = child;
                    return TRUE;
                }, reinterpret_cast<LPARAM>(&children));
            return std::count(children.begin(), children.end(), nullptr) == 0;
        }));
        ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(1500, 100) == ClientColour(9, 0, 0); }));
        before = State();
    }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }

    void Make(Mode m, const DwmQueries& dwm = SystemDwm()) {
        mode.reset();
        if (m == Mode::Top) mode = MakeCaptureMode<WindowCaptureTop>(owner.Handle(), dwm);
        if (m == Mode::All) mode = MakeCaptureMode<WindowCaptureAll>(owner.Handle(), dwm);
        if (m == Mode::HiddenTop) mode = MakeCaptureMode<HiddenWindowCaptureTop>(owner.Handle(), dwm);
        if (m == Mode::HiddenAll) mode = MakeCaptureMode<HiddenWindowCaptureAll>(owner.Handle(), dwm);
    }
    void Act() {
        HDC dc = GetDC(nullptr);
        screen = SurfacePixels(dc, 0, 0, size);
        ReleaseDC(nullptr, dc);
        mode->Act([this] { ++finished; });
    }
    HWND Handle(int i) const { return i >= kChild ? children[i - kChild] : i >= 0 ? windows[i] : GetDesktopWindow(); }
    // Overlay coordinates are screen coordinates here: the virtual screen starts at (0, 0).
    POINT At(int at, POINT client) const {
        if (at != kScreen) ClientToScreen(Handle(at), &client);
        return client;
    }
    void Send(UINT message, POINT p) { SendMessageW(mode->Overlay(), message, 0, MAKELPARAM(p.x, p.y)); }
    void Key(WPARAM key) { SendMessageW(mode->Overlay(), WM_KEYDOWN, key, 0); }
    RECT Expected(int picked) const {
        if (picked == kWholeScreen) return {0, 0, size.cx, size.cy};
        const RECT rect = RectOf(Handle(picked));
        const RECT top = RectOf(GetAncestor(Handle(picked), GA_ROOT));
        return ClampToSize(picked >= kChild ? Intersect(rect, top) : rect, size);
    }
    std::vector<WindowState> State() const {
        std::vector<WindowState> states;
        for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
            if (IsWindowVisible(h) && std::find(windows.begin(), windows.end(), h) != windows.end())
                states.push_back({h, RectOf(h), (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0});
        return states;
    }
    // The windows shown, top first. Afterwards as before, but for the one that hid itself.
    std::vector<WindowState> After() const {
        std::vector<WindowState> states = before;
        std::erase_if(states, [&](const WindowState& s) { return s.window == windows[9]; });
        return states;
    }
    void ExpectScreen(size_t image, const RECT& r) const {
        const auto written = images.Image(image);
        ASSERT_TRUE(written.has_value());
        ASSERT_EQ(written->width, r.right - r.left);
        ASSERT_EQ(written->height, r.bottom - r.top);
        for (int y = 0; y < written->height; ++y)
            for (int x = 0; x < written->width; ++x) {
                const std::uint32_t rgb = screen[static_cast<size_t>(r.top + y) * size.cx + r.left + x];
                ASSERT_EQ(written->Pixel(x, y), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) << x << "," << y;
            }
    }

    ScratchDir temp;
    Process scene{ExeFolder() + L"scene_windows.exe", temp.Path()};
    std::vector<HWND> windows, children;
    std::vector<WindowState> before;
    OwnerWindow owner;
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    SIZE size = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    std::vector<std::uint32_t> screen;
    std::unique_ptr<WindowPickCapture> mode;
    int finished = 0;
};

TEST_F(SceneCapture, PicksOneWindowPerModeAndPutsTheSceneBack) {
    const struct {
        Mode mode;
        int at;
        POINT client;
        int picked;
        bool rightClick = false;  // after the move: hold or let go
        bool whole = false;       // no picture: the whole screen
    } cases[] = {
        {Mode::HiddenTop, 5, {10, 10}, 6},  // the modal popup of the disabled owner
        {Mode::HiddenTop, 2, {100, 100}, 2},
        {Mode::HiddenTop, kChild + 3, {10, 10}, kWholeScreen},  // the desktop is never picked
        {Mode::HiddenTop, kScreen, {1000, 1040}, kWholeScreen},
        {Mode::HiddenTop, kScreen, {20, 1070}, 4, false, true},  // minimised: not pictured
        {Mode::HiddenTop, 1, {10, 10}, 1, true},
        {Mode::HiddenTop, 2, {100, 100}, 1},  // held
        {Mode::HiddenAll, kChild + 1, {5, 5}, kChild + 1},
        {Mode::HiddenAll, 1, {10, 10}, 1, true},
        {Mode::HiddenAll, 2, {100, 100}, 1},               // held: front's point inside back is back
        {Mode::HiddenAll, kChild + 1, {5, 5}, kChild + 1, true},  // a child within it; let go
        {Mode::HiddenAll, 5, {10, 10}, 5},
        {Mode::Top, 1, {10, 10}, 1},
        {Mode::Top, 2, {100, 100}, 2},  // front over back
        {Mode::Top, 7, {260, 60}, 8},   // topB over topA
        {Mode::Top, 9, {10, 10}, 0},  // hidden since the first capture: never picked
        {Mode::Top, 5, {10, 10}, 5},  // a disabled owner itself
        {Mode::Top, 3, {10, 10}, 3},  // clamped to the screen
        {Mode::Top, kChild + 3, {10, 10}, 0},
        {Mode::Top, kScreen, {1000, 1040}, kDesktopWindow},
        {Mode::All, 1, {10, 10}, 1},
        {Mode::All, kChild, {10, 10}, kChild},  // cut to the frame it sticks out of
        {Mode::All, kChild + 1, {5, 5}, kChild + 1},
        {Mode::All, kChild + 2, {5, 5}, kChild + 2},
        {Mode::All, kChild + 3, {10, 10}, 0},  // the desktop's children are never picked
        {Mode::All, kScreen, {1000, 1040}, kDesktopWindow},
    };
    std::optional<Mode> current;
    auto end = [&] {
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
        if (current >= Mode::HiddenTop) {
            EXPECT_EQ(State(), After());
        }
    };
    for (const auto& c : cases) {
        if (current != c.mode) {
            if (current) end();
            Make(c.mode);
            Act();
            current = c.mode;
        }
        const POINT p = At(c.at, c.client);
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << " at " << p.x << "," << p.y);
        Send(WM_MOUSEMOVE, p);
        EXPECT_EQ(mode->HitWindow(), Handle(c.picked));
        const RECT want = Expected(c.whole ? kWholeScreen : c.picked);
        EXPECT_TRUE(EqualRect(&mode->Highlight(), &want));
        if (c.rightClick) Send(WM_RBUTTONUP, p);
    }
    end();
    EXPECT_TRUE(images.Images().empty());
}

TEST_F(SceneCapture, OutputsThePickedAreaOfTheFrozenScreen) {
    const struct {
        Mode mode;
        int at;
        POINT client;
        int picked;
    } cases[] = {
        {Mode::Top, 1, {10, 10}, 1},  // with front over it, as it was on screen
        {Mode::All, kChild, {10, 10}, kChild},
        {Mode::All, kScreen, {1000, 1040}, kDesktopWindow},
        // Over front first: its picture stays out of the output.
        {Mode::HiddenTop, kScreen, {1000, 1040}, kWholeScreen},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Make(c.mode);
        Act();
        Send(WM_MOUSEMOVE, At(2, {100, 100}));
        Send(WM_MOUSEMOVE, At(c.at, c.client));
        Send(WM_LBUTTONUP, At(c.at, c.client));
        ASSERT_EQ(finished, static_cast<int>(i + 1));
        ExpectScreen(i, Expected(c.picked));
    }
}

TEST_F(SceneCapture, HiddenCaptureOutputsTheWindowCompleteThroughTheToolbar) {
    Make(Mode::HiddenAll);
    Act();
    Send(WM_MOUSEMOVE, At(1, {10, 10}));
    Send(WM_LBUTTONUP, At(1, {10, 10}));
    ASSERT_EQ(finished, 1);
    EXPECT_EQ(GetClipboardOwner(), owner.Handle());
    EXPECT_EQ(State(), After());
    const auto image = images.Image(0);
    const RECT back = RectOf(windows[1]);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, back.right - back.left);
    ASSERT_EQ(image->height, back.bottom - back.top);
    // Where front covered it: back's own pixels, repainted before it was pictured.
    for (int y = 210; y < 290; ++y)
        for (int x = 310; x < 470; ++x) {
            const POINT p = At(1, {x, y});
            ASSERT_EQ(image->Pixel(p.x - back.left, p.y - back.top), ClientColour(1, x, y)) << x << "," << y;
        }
}

TEST_F(SceneCapture, EveryCaptureStartsAfreshAtTheRealCursor) {
    Make(Mode::HiddenTop);
    ASSERT_TRUE(PlaceCursor(At(1, {10, 10})));
    Act();
    Send(WM_RBUTTONUP, At(1, {10, 10}));  // held
    Key(VK_RETURN);
    ASSERT_TRUE(PlaceCursor(At(2, {100, 100})));
    Act();
    Key(VK_RETURN);  // before any move: what lies under the cursor, not held
    Act();
    Key(VK_ESCAPE);  // nothing held: the first Escape ends it
    EXPECT_EQ(finished, 3);
    for (int i : {0, 1}) {
        const auto image = images.Image(static_cast<size_t>(i));
        const RECT r = RectOf(windows[1 + i]);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->width, r.right - r.left);
        EXPECT_EQ(image->height, r.bottom - r.top);
    }
}

TEST_F(SceneCapture, AnErrorWhilePicturingStillPutsTheSceneBack) {
    FakeDwm dwm;
    int queries = 0;
    dwm.onQuery = [&](HWND) {
        if (++queries == 3) throw std::runtime_error("no bounds");
    };
    Make(Mode::HiddenTop, dwm);
    EXPECT_THROW(Act(), std::runtime_error);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(State(), After());
    mode.reset();
}

TEST_F(SceneCapture, AWindowGoneBetweenTwoReadsOutputsNothing) {
    SettingGuard text(SectionSettings, KeyClipBoard, ClipBoardCopyText);
    SetClipboardText(owner.Handle(), L"kept");
    FakeDwm dwm;
    const RECT back = RectOf(windows[1]);
    int reads = 0;
    dwm.frames[windows[1]] = back;
    dwm.onQuery = [&](HWND w) {
        if (w == windows[1]) dwm.frames[w] = ++reads % 2 != 0 ? back : RECT{5000, 5000, 5100, 5100};
    };
    ASSERT_TRUE(PlaceCursor(At(3, {10, 10})));  // above back: the first pick does not read it
    Make(Mode::Top, dwm);
    Act();
    Send(WM_MOUSEMOVE, At(1, {10, 10}));
    EXPECT_FALSE(HasArea(mode->Highlight()));
    Send(WM_LBUTTONUP, At(1, {10, 10}));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(HasPendingException());
    EXPECT_TRUE(images.Images().empty());
    EXPECT_EQ(ClipboardText(), L"kept");
    mode.reset();
}

TEST_F(SceneCapture, EachMoveLeavesOnlyItsOwnMarksOnTheOverlay) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard tip(SectionSettings, KeyMouseToolTip, 1), hiddenTip(SectionSettings, KeyMouseToolTipHidden, 1);
    // Where the moves end: a move the system sends meanwhile draws the same frame.
    ASSERT_TRUE(PlaceCursor(At(1, {10, 10})));
    for (Mode m : {Mode::HiddenAll, Mode::Top}) {
        Make(m);
        Act();
        HDC work = mode->Snapshot()->workDC;
        Send(WM_MOUSEMOVE, At(1, {10, 10}));
        const auto first = SurfacePixels(work, 0, 0, size);
        Send(WM_MOUSEMOVE, At(kChild + 1, {5, 5}));
        EXPECT_NE(SurfacePixels(work, 0, 0, size), first);
        Send(WM_MOUSEMOVE, At(1, {10, 10}));
        EXPECT_TRUE(SurfacePixels(work, 0, 0, size) == first);
        UpdateWindow(mode->Overlay());
        EXPECT_TRUE(WaitUntil([&] {
            HDC dc = GetDC(nullptr);
            const bool shown = SurfacePixels(dc, 0, 0, size) == first;
            ReleaseDC(nullptr, dc);
            return shown;
        }, 3s));
        Key(VK_ESCAPE);
    }
}

}  // namespace
}  // namespace Vorlune::Test
