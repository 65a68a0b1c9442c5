#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

#include "../helpers/Scene.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/WindowBounds.h"
#include "Capture/WindowCapture.h"
#include "Capture/WindowGeometry.h"
#include "ImageFiles.h"
#include "OutputTestSupport.h"
#include "PatternWindow.h"
#include "PickState.h"
#include "Process.h"
#include "settings/ClipBoardMode.h"
#include "ui/PendingException.h"

// Picking on rectangles given as data, and the four modes driven over another process's
// windows: picks, output files, the scene's stacking afterwards, DWM answers from a fake.
namespace Vorlune::Test {
namespace {
using namespace Scene;

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// Composition as on a desktop with DWM: frames holds the windows whose non-client area it
// renders, at those bounds; onQuery runs before each such answer.
struct FakeDwm : DwmQueries {
    std::map<HWND, RECT> frames;
    HWND cloaked = nullptr;
    std::function<void(HWND)> onQuery;
    bool NonClientRendering(HWND w) const override {
        if (onQuery) onQuery(w);
        return frames.count(w) != 0;
    }
    RECT ExtendedFrameBounds(HWND w) const override { return frames.at(w); }
    bool Cloaked(HWND w) const override { return w == cloaked; }
    void Flush() const override {}
};

TEST(WindowHitTest, PicksTheHighestTopLevelAndTheDeepestNestedChild) {
    // Top-levels 0 over 1; in 0 a panel (0) holding a box (1), a bar (2) across both, nested
    // in neither by a corner, and a child (3) sticking out on the right.
    const RECT tops[] = {{100, 100, 500, 400}, {300, 200, 800, 600}};
    const RECT children[] = {{150, 150, 300, 300}, {160, 160, 250, 250}, {140, 200, 320, 220}, {450, 120, 600, 180}};
    const struct {
        POINT point;
        int top, child;
    } cases[] = {{{350, 250}, 0, kNoPick}, {{600, 500}, 1, kNoPick}, {{500, 400}, 1, kNoPick},
                 {{100, 100}, 0, kNoPick}, {{99, 100}, kNoPick, kNoPick}, {{280, 280}, 0, 0},
                 {{200, 170}, 0, 1},       {{200, 210}, 0, 1},             {{155, 210}, 0, 0},
                 {{145, 210}, 0, 2},       {{470, 150}, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
        EXPECT_EQ(FirstContaining(2, [&](size_t i) { return tops[i]; }, c.point), c.top);
        auto child = [&](size_t i) { return children[i]; };
        if (c.top != 0) continue;
        EXPECT_EQ(NestedPick(tops[0], 4, child, child, c.point), c.child) << "child";
    }
    EXPECT_TRUE(CornersOverlap({0, 0, 100, 100}, {100, 100, 200, 200}));  // PtInRect(b, a's bottom-right)
    EXPECT_FALSE(CornersOverlap({0, 0, 100, 100}, {150, 0, 250, 100}));
}

constexpr int kDesktopWindow = -1;  // GetDesktopWindow(), at its own rectangle
constexpr int kWholeScreen = -2;    // GetDesktopWindow(), the whole virtual screen highlighted
constexpr int kScreen = -3;         // a point in screen coordinates
constexpr int kPanel = 10, kBox = 11, kButton = 12, kDeskBox = 13;

enum class Mode { Top, All, HiddenTop, HiddenAll };

class SceneCapture : public testing::Test {
protected:
    void SetUp() override {
        GetCursorPos(&cursor);
        for (const Window& w : kWindows) {
            const std::wstring type = ClassOf(windows.size());
            windows.push_back(w.flags & Child ? FindWindowExW(windows[w.owner], nullptr, type.c_str(), w.title)
                                              : scene.WaitWindow(type, w.title));
        }
        ASSERT_EQ(std::count(windows.begin(), windows.end(), nullptr), 0);
        ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(1500, 100) == ActiveColour(kHider); }));
        before = State();
    }
    void TearDown() override {
        mode.reset();
        PlaceCursor(cursor);  // where later tests expect it
    }

    void Make(Mode m, const DwmQueries& dwm = SystemDwm()) {
        mode.reset();  // one object of a mode at a time: they share its message map
        if (m == Mode::Top) mode = MakeCaptureMode<WindowCaptureTop>(owner.Handle(), dwm);
        if (m == Mode::All) mode = MakeCaptureMode<WindowCaptureAll>(owner.Handle(), dwm);
        if (m == Mode::HiddenTop) mode = MakeCaptureMode<HiddenWindowCaptureTop>(owner.Handle(), dwm);
        if (m == Mode::HiddenAll) mode = MakeCaptureMode<HiddenWindowCaptureAll>(owner.Handle(), dwm);
    }
    std::vector<std::uint32_t> Screen() const {
        HDC dc = GetDC(nullptr);
        auto pixels = SurfacePixels(dc, 0, 0, size);
        ReleaseDC(nullptr, dc);
        return pixels;
    }
    // Once the screen stands still: the scene repaints windows that the last capture activated.
    void Act() {
        std::vector<std::uint32_t> last;
        ASSERT_TRUE(WaitUntil([&] {
            last = std::move(screen);
            return (screen = Screen()) == last;
        }));
        mode->Act([this] { ++finished; });
    }
    HWND Handle(int i) const { return i >= 0 ? windows[i] : GetDesktopWindow(); }
    // Overlay points are screen points here: the virtual screen starts at (0, 0).
    POINT At(int at, POINT client) const {
        if (at != kScreen) ClientToScreen(Handle(at), &client);
        return client;
    }
    void Send(UINT message, POINT p) { SendMessageW(PickState::Overlay(*mode), message, 0, MAKELPARAM(p.x, p.y)); }
    void Key(WPARAM key) { SendMessageW(PickState::Overlay(*mode), WM_KEYDOWN, key, 0); }
    RECT Expected(int picked) const {
        if (picked == kWholeScreen) return {0, 0, size.cx, size.cy};
        const RECT rect = WindowRect(Handle(picked));
        return ClampToSize(picked >= kPanel ? Intersect(rect, WindowRect(GetAncestor(Handle(picked), GA_ROOT))) : rect, size);
    }
    // The scene's top-level windows shown, top first, but for the one that hides itself.
    std::string State() const {
        std::ostringstream state;
        for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
            const RECT r = WindowRect(h);
            if (IsWindowVisible(h) && h != windows[kHider] && std::count(windows.begin(), windows.end(), h) != 0)
                state << h << (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST ? " topmost " : " ") << r.left << ","
                      << r.top << "," << r.right << "," << r.bottom << "\n";
        }
        return state.str();
    }
    void ExpectSceneBack() const {
        EXPECT_EQ(State(), before);
        EXPECT_FALSE(IsWindowVisible(windows[kHider]));
    }
    std::optional<Bitmap24> Image(size_t index, const RECT& r) const {
        auto image = images.Image(index);
        const bool sized = image && image->width == r.right - r.left && image->height == r.bottom - r.top;
        EXPECT_TRUE(sized);
        return sized ? image : std::nullopt;
    }
    void ExpectScreen(size_t index, const RECT& r) const {
        const auto image = Image(index, r);
        for (int y = 0; image && y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const std::uint32_t rgb = screen[static_cast<size_t>(r.top + y) * size.cx + r.left + x];
                ASSERT_EQ(image->Pixel(x, y), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) << x << "," << y;
            }
    }

    POINT cursor = {};
    ScratchDir temp;
    Process scene{ExeFolder() + L"scene_windows.exe", temp.Path()};
    std::vector<HWND> windows;
    std::string before;
    OwnerWindow owner;
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    SIZE size = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    std::vector<std::uint32_t> screen;
    std::unique_ptr<WindowPickCapture> mode;
    int finished = 0;
};

// Each case a move, then a right click or a click; a click outputs, checked against the
// screen as it was when the capture started.
TEST_F(SceneCapture, PicksOneWindowPerModeOutputsItAndPutsTheSceneBack) {
    enum Then { Nothing, RightClick, Click };
    const struct {
        Mode mode;
        int at;
        POINT client;
        int picked;
        Then then = Nothing;
        bool whole = false;  // not pictured: the whole screen is highlighted
    } cases[] = {
        {Mode::HiddenTop, 5, {10, 10}, 6},  // the modal popup of the disabled owner
        {Mode::HiddenTop, 2, {100, 100}, 2},
        {Mode::HiddenTop, kDeskBox, {10, 10}, kWholeScreen},  // the desktop is never picked
        {Mode::HiddenTop, kScreen, {1000, 1040}, kWholeScreen, Click},  // no picture of front left
        {Mode::HiddenTop, kScreen, {20, 1070}, 4, Nothing, true},  // minimised
        {Mode::HiddenTop, 1, {10, 10}, 1, RightClick},
        {Mode::HiddenTop, 2, {100, 100}, 1},  // held
        {Mode::HiddenAll, kBox, {5, 5}, kBox},
        {Mode::HiddenAll, 1, {10, 10}, 1, RightClick},
        {Mode::HiddenAll, 2, {100, 100}, 1},              // held: front's point inside back
        {Mode::HiddenAll, kBox, {5, 5}, kBox, RightClick},  // a child of it; let go
        {Mode::HiddenAll, 5, {10, 10}, 5},
        {Mode::Top, 2, {100, 100}, 2},  // front over back
        {Mode::Top, 7, {260, 60}, 8},   // topB over topA
        {Mode::Top, kHider, {10, 10}, 0},  // hidden since the first capture: never picked
        {Mode::Top, 5, {10, 10}, 5},
        {Mode::Top, 3, {10, 10}, 3},  // clamped to the screen
        {Mode::Top, kDeskBox, {10, 10}, 0},
        {Mode::Top, kScreen, {1000, 1040}, kDesktopWindow},
        {Mode::Top, 1, {10, 10}, 1, Click},  // with front over it, as it was
        {Mode::All, kBox, {5, 5}, kBox},
        {Mode::All, kButton, {5, 5}, kButton},
        {Mode::All, kDeskBox, {10, 10}, 0},  // the desktop's children are never picked
        {Mode::All, kPanel, {10, 10}, kPanel, Click},  // cut to the frame it sticks out of
        {Mode::All, kScreen, {1000, 1040}, kDesktopWindow, Click},
    };
    Mode current = Mode::Top;  // of the capture under way, if running
    bool running = false;
    size_t outputs = 0;
    auto ended = [&] {
        if (current >= Mode::HiddenTop) ExpectSceneBack();
        running = false;
    };
    for (const auto& c : cases) {
        if (running && current != c.mode) {
            Key(VK_ESCAPE);
            Key(VK_ESCAPE);
            ended();
        }
        if (!running) {
            Make(current = c.mode);
            Act();
            running = true;
        }
        const POINT p = At(c.at, c.client);
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << " at " << p.x << "," << p.y);
        Send(WM_MOUSEMOVE, p);
        const RECT want = Expected(c.whole ? kWholeScreen : c.picked);
        EXPECT_EQ(PickState::HitWindow(*mode), Handle(c.picked));
        EXPECT_TRUE(Same(PickState::Highlight(*mode), want));
        if (c.then != Nothing) Send(c.then == Click ? WM_LBUTTONUP : WM_RBUTTONUP, p);
        if (c.then != Click) continue;
        ExpectScreen(outputs++, want);
        ended();
    }
    EXPECT_EQ(images.Images().size(), outputs);
}

TEST_F(SceneCapture, HiddenCaptureOutputsTheWindowCompleteThroughTheToolbar) {
    Make(Mode::HiddenAll);
    Act();
    Send(WM_MOUSEMOVE, At(1, {10, 10}));
    Send(WM_LBUTTONUP, At(1, {10, 10}));
    ExpectSceneBack();
    EXPECT_EQ(GetClipboardOwner(), owner.Handle());
    // Where front covered it, and as it looks once it repainted on being raised and activated.
    const RECT back = WindowRect(windows[1]);
    const auto image = Image(0, back);
    for (int y = 210; image && y < 290; ++y)
        for (int x = 310; x < 470; ++x) {
            const POINT p = At(1, {x, y});
            ASSERT_EQ(image->Pixel(p.x - back.left, p.y - back.top), ActiveColour(1)) << x << "," << y;
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
    EXPECT_TRUE(Image(0, WindowRect(windows[1])));
    EXPECT_TRUE(Image(1, WindowRect(windows[2])));
}

TEST_F(SceneCapture, ThroughAFakeDwmAnErrorFrameBoundsNoCloakedWindowAndNoOutputOfAnEmptyPick) {
    FakeDwm dwm;
    int queries = 0;
    dwm.onQuery = [&](HWND) {
        if (++queries == 3) throw std::runtime_error("no bounds");  // while picturing
    };
    Make(Mode::HiddenTop, dwm);
    EXPECT_THROW(Act(), std::runtime_error);
    EXPECT_EQ(finished, 1);
    ExpectSceneBack();

    SettingGuard text(SectionSettings, KeyClipBoard, ClipBoardCopyText);
    SetClipboardText(owner.Handle(), L"kept");
    dwm.onQuery = nullptr;
    const RECT back = WindowRect(windows[1]), frame = {back.left + 7, back.top, back.right - 7, back.bottom - 7};
    dwm.frames[windows[1]] = frame;
    dwm.cloaked = windows[2];
    Make(Mode::Top, dwm);
    Act();
    Send(WM_MOUSEMOVE, At(2, {100, 100}));  // front is not there: back, at its frame
    EXPECT_EQ(PickState::HitWindow(*mode), windows[1]);
    EXPECT_TRUE(Same(PickState::Highlight(*mode), frame));
    Send(WM_MOUSEMOVE, {back.left + 3, back.top + 50});  // in GetWindowRect only: the desktop below
    EXPECT_EQ(PickState::HitWindow(*mode), windows[0]);
    // Gone between the hit-test and the rectangle: an empty pick outputs nothing at all.
    int reads = 0;
    dwm.onQuery = [&](HWND w) {
        if (w == windows[1]) dwm.frames[w] = ++reads % 2 != 0 ? frame : RECT{5000, 5000, 5100, 5100};
    };
    Send(WM_MOUSEMOVE, At(1, {10, 10}));
    EXPECT_FALSE(HasArea(PickState::Highlight(*mode)));
    Send(WM_LBUTTONUP, At(1, {10, 10}));
    EXPECT_EQ(finished, 2);
    EXPECT_FALSE(HasPendingException());
    EXPECT_TRUE(images.Images().empty());
    EXPECT_EQ(ClipboardText(), L"kept");
    mode.reset();
}

TEST_F(SceneCapture, EachMoveLeavesOnlyItsOwnMarksOnTheOverlay) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard tip(SectionSettings, KeyMouseToolTip, 1), hiddenTip(SectionSettings, KeyMouseToolTipHidden, 1);
    ASSERT_TRUE(PlaceCursor(At(1, {10, 10})));  // a move the system sends meanwhile draws the same frame
    for (Mode m : {Mode::HiddenAll, Mode::Top}) {
        Make(m);
        Act();
        HDC work = PickState::Snapshot(*mode).workDC;
        Send(WM_MOUSEMOVE, At(1, {10, 10}));
        const auto first = SurfacePixels(work, 0, 0, size);
        Send(WM_MOUSEMOVE, At(kBox, {5, 5}));
        EXPECT_NE(SurfacePixels(work, 0, 0, size), first);
        Send(WM_MOUSEMOVE, At(1, {10, 10}));
        EXPECT_TRUE(SurfacePixels(work, 0, 0, size) == first);
        UpdateWindow(PickState::Overlay(*mode));
        EXPECT_TRUE(WaitUntil([&] { return Screen() == first; }, 3s));
        Key(VK_ESCAPE);
    }
}

}  // namespace
}  // namespace Vorlune::Test
