#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "../helpers/Scene.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/WindowBounds.h"
#include "Capture/WindowCapture.h"
#include "ui/Geometry.h"
#include "Capture/WindowPictures.h"
#include "ImageFiles.h"
#include "OutputTestSupport.h"
#include "PatternWindow.h"
#include "PickState.h"
#include "Process.h"
#include "settings/ClipBoardMode.h"
#include "ui/PendingException.h"

// Picking on rectangles as data, and the four modes over another process's windows.
namespace Vorlune::Test {
namespace {
using namespace Scene;

// DWM as on a desktop that has it: frames of the windows whose non-client area it renders.
struct FakeDwm : DwmQueries {
    std::map<HWND, RECT> frames;
    HWND cloaked = nullptr;
    std::function<void(HWND)> onQuery;  // before each answer
    bool NonClientRendering(HWND w) const override {
        if (onQuery) onQuery(w);
        return frames.count(w) != 0;
    }
    RECT ExtendedFrameBounds(HWND w) const override { return frames.at(w); }
    bool Cloaked(HWND w) const override { return w == cloaked; }
    void Flush() const override {}
};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// Picks: GetDesktopWindow() at its own rectangle, or with the whole screen highlighted; at a screen point.
constexpr int kDesktopWindow = -1, kWholeScreen = -2, kScreen = -3;
constexpr int kPanel = 10, kBox = 11, kDeskBox = 12;
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
        mode.reset();  // one mode object at a time: they share its message map
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
    // Once the scene handled what it was sent (the activations of the last capture), painted all
    // it has to and the screen stands still.
    void Act() {
        for (HWND w : windows)
            ASSERT_TRUE(WaitUntil([&] {
                return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_BLOCK, 1000, nullptr) && !GetUpdateRect(w, nullptr, FALSE);
            }));
        std::vector<std::uint32_t> last;
        ASSERT_TRUE(WaitUntil([&] { return (last = std::move(screen), screen = Screen()) == last; }));
        mode->Act([this] { ++finished; });
    }
    HWND Handle(int i) const { return i >= 0 ? windows[i] : GetDesktopWindow(); }
    POINT At(int at, POINT client) const {  // overlay points are screen points: the screen starts at (0, 0)
        if (at != kScreen) ClientToScreen(Handle(at), &client);
        return client;
    }
    void Send(UINT message, POINT p) { SendMessageW(PickState::Overlay(*mode), message, 0, MAKELPARAM(p.x, p.y)); }
    void Key(WPARAM key) { SendMessageW(PickState::Overlay(*mode), WM_KEYDOWN, key, 0); }
    // A move that picks that window and highlights this one's rectangle, which it gives.
    RECT Move(POINT p, int picked, int highlighted) {
        Send(WM_MOUSEMOVE, p);
        EXPECT_EQ(PickState::HitWindow(*mode), Handle(picked));
        RECT r = highlighted == kWholeScreen ? RECT{0, 0, size.cx, size.cy} : WindowRect(Handle(highlighted));
        if (highlighted >= kPanel) r = Intersect(r, WindowRect(GetAncestor(Handle(highlighted), GA_ROOT)));
        r = ClampToSize(r, size);
        EXPECT_TRUE(Same(PickState::Highlight(*mode), r));
        return r;
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
        EXPECT_TRUE(sized) << index;
        return sized ? image : std::nullopt;
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

// A topmost window of this process whose thread waits on an event instead of reading its
// messages. It takes five seconds to count as hung, so the suite makes it once.
class HungWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        owner = std::thread([] {
            window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"hung", WS_POPUP | WS_VISIBLE, 50, 50,
                                     200, 100, nullptr, nullptr, nullptr, nullptr);
            WaitForSingleObject(wake, INFINITE);
            DestroyWindow(window);
        });
        WaitUntil([] { return window != nullptr && IsHungAppWindow(window); }, 15s);
    }
    static void TearDownTestSuite() {
        SetEvent(wake);
        owner.join();
        CloseHandle(wake);
    }
    void SetUp() override { ASSERT_TRUE(IsHungAppWindow(window)); }
    static HWND Popup(HWND insertAfter) {
        HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                     100, 100, nullptr, nullptr, nullptr, nullptr);
        SetWindowPos(popup, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return popup;
    }
    static inline HANDLE wake = nullptr;
    static inline std::thread owner;
    static inline std::atomic<HWND> window = nullptr;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
};

// Every call on it would wait for its thread.
TEST_F(HungWindow, IsNeitherPicturedNorRestacked) {
    const size_t pictures = PictureWindows({{window.load(), {}}}, screen, SystemDwm()).size();
    EXPECT_EQ(pictures, 0u);
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(HungWindow, KeepsItsPlaceBetweenTheWindowsRaisedAroundIt) {
    HWND below = Popup(window);
    HWND above = Popup(HWND_TOPMOST);
    PictureWindows({{above, {}}, {window.load(), {}}, {below, {}}}, screen, SystemDwm());
    std::vector<HWND> order;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (h == above || h == window || h == below) order.push_back(h);
    DestroyWindow(above);
    DestroyWindow(below);
    EXPECT_EQ(order, (std::vector<HWND>{above, window, below}));
}

TEST_F(HungWindow, IsPickedInAHiddenModeAsTheFrozenScreenShowsIt) {
    OwnerWindow toolbar;
    auto mode = MakeCaptureMode<HiddenWindowCaptureTop>(toolbar.Handle(), SystemDwm());
    mode->Act([] {});
    SendMessageW(PickState::Overlay(*mode), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
    const HWND picked = PickState::HitWindow(*mode);
    const RECT highlight = PickState::Highlight(*mode);
    SendMessageW(PickState::Overlay(*mode), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(picked, window);
    EXPECT_TRUE(Same(highlight, WindowRect(window)));
}

TEST_F(SceneCapture, PicksOneWindowPerModeOutputsItAndPutsTheSceneBackAgain) {
    enum Then { Nothing, RightClick, Click };
    const struct { Mode mode; int at; POINT client; int picked; Then then = Nothing; } cases[] = {
        {Mode::HiddenTop, 5, {10, 10}, 6},  // the modal popup of the disabled owner
        {Mode::HiddenTop, 2, {100, 100}, 2},
        {Mode::HiddenTop, kDeskBox, {10, 10}, kWholeScreen},  // the desktop is never picked
        {Mode::HiddenTop, kScreen, {1000, 1040}, kWholeScreen, Click},  // no picture of front left
        {Mode::HiddenTop, kScreen, {20, 1070}, 4},  // minimised: not pictured, as the frozen screen shows it
        {Mode::HiddenAll, 1, {10, 10}, 1, RightClick},
        {Mode::HiddenAll, 2, {100, 100}, 1},                // held: front's point inside back
        {Mode::HiddenAll, kBox, {5, 5}, kBox, RightClick},  // a child of it; let go
        {Mode::HiddenAll, 5, {10, 10}, 5},
        {Mode::Top, 7, {260, 60}, 8},      // topB over topA
        {Mode::Top, kHider, {10, 10}, 0},  // hidden since the first capture: never picked
        {Mode::Top, 3, {10, 10}, 3},  // clamped to the screen
        {Mode::Top, kScreen, {1000, 1040}, kDesktopWindow},
        {Mode::Top, 1, {10, 10}, 1, Click},  // with front over it, as it was
        {Mode::All, kDeskBox, {10, 10}, 0},            // the desktop's children are never picked
        {Mode::All, kPanel, {10, 10}, kPanel, Click},  // cut to the frame it sticks out of
        {Mode::All, kScreen, {1000, 1040}, kDesktopWindow, Click},  // the desktop outlined and output
    };
    size_t outputs = 0;
    auto end = [&](const auto& last) {  // the capture of the last case
        if (last.then != Click) Key(VK_ESCAPE), Key(VK_ESCAPE);  // the first lets go of a hold
        if (last.mode >= Mode::HiddenTop) ExpectSceneBack();
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        if (i == 0 || cases[i - 1].then == Click || cases[i - 1].mode != c.mode) {
            if (i > 0) end(cases[i - 1]);
            Make(c.mode);
            Act();
        }
        const POINT p = At(c.at, c.client);
        SCOPED_TRACE(testing::Message() << "case " << i << " at " << p.x << "," << p.y);
        const RECT want = Move(p, c.picked, c.picked);
        if (c.then != Nothing) Send(c.then == Click ? WM_LBUTTONUP : WM_RBUTTONUP, p);
        const auto image = c.then == Click ? Image(outputs++, want) : std::nullopt;
        for (int y = 0; image && y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                ASSERT_EQ(Rgb(image->Pixel(x, y)), screen[static_cast<size_t>(want.top + y) * size.cx + want.left + x])
                    << x << "," << y;
    }
    end(std::end(cases)[-1]);
    EXPECT_EQ(images.Images().size(), outputs);
}

// Back is output as it looks once repainted on being raised, also where front covered it.
TEST_F(SceneCapture, EveryCaptureStartsAfreshAtTheRealCursorAndOutputsTheWindowRepainted) {
    Make(Mode::HiddenAll);
    EXPECT_EQ(GetWindow(PickState::Overlay(*mode), GW_OWNER), owner.Handle());
    ASSERT_TRUE(PlaceCursor(At(1, {10, 10})));
    Act();
    Send(WM_RBUTTONUP, At(1, {10, 10}));  // held
    Key(VK_RETURN);
    ExpectSceneBack();
    EXPECT_EQ(GetClipboardOwner(), owner.Handle());
    ASSERT_TRUE(PlaceCursor(At(2, {100, 100})));
    Act();
    Key(VK_RETURN);  // before any move: what lies under the cursor, not held
    Act();
    Key(VK_ESCAPE);  // nothing held: the first Escape ends it
    EXPECT_EQ(finished, 3);
    EXPECT_TRUE(Image(1, WindowRect(windows[2])));
    const RECT back = WindowRect(windows[1]);
    const POINT client = At(1, {0, 0});
    const auto image = Image(0, back);
    for (int y = 210; image && y < 290; ++y)
        for (int x = 310; x < 470; ++x)
            ASSERT_EQ(image->Pixel(client.x + x - back.left, client.y + y - back.top), ActiveColour(1)) << x << "," << y;
}

TEST_F(SceneCapture, ThroughAFakeDwmAnErrorPutsTheSceneBackAndAnEmptyPickOutputsNothing) {
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
    const RECT back = WindowRect(windows[1]), frame = {back.left + 7, back.top, back.right - 7, back.bottom - 7};
    dwm.onQuery = nullptr;
    dwm.frames[windows[1]] = frame;
    dwm.cloaked = windows[2];
    Make(Mode::Top, dwm);
    Act();
    Send(WM_MOUSEMOVE, At(2, {100, 100}));  // front is cloaked: back, at its frame
    EXPECT_EQ(PickState::HitWindow(*mode), windows[1]);
    EXPECT_TRUE(Same(PickState::Highlight(*mode), frame));
    Send(WM_MOUSEMOVE, {back.left + 3, back.top + 50});  // in GetWindowRect only: the desktop below
    EXPECT_EQ(PickState::HitWindow(*mode), windows[0]);
    // Gone between the hit-test and the rectangle: nothing output, the clipboard left alone.
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
    mode.reset();  // before the fake it refers to
}

// Moving back to a window shows what the first move there did: no earlier pick's marks or picture stay.
TEST_F(SceneCapture, EachMoveLeavesOnlyItsOwnMarksOnTheOverlay) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard tip(SectionSettings, KeyMouseToolTip, 1), hiddenTip(SectionSettings, KeyMouseToolTipHidden, 1);
    ASSERT_TRUE(PlaceCursor(At(1, {10, 10})));  // a move the system sends meanwhile draws the same frame
    for (Mode m : {Mode::HiddenAll, Mode::Top}) {
        Make(m);
        Act();
        const HDC work = PickState::Snapshot(*mode).workDC();
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
