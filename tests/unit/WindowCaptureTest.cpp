#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "../helpers/Scene.h"
#include "Capture/Dib.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/WindowBounds.h"
#include "Capture/WindowCapture.h"
#include "Capture/WindowPictures.h"
#include "Output.h"
#include "PickState.h"
#include "Process.h"
#include "Screen.h"
#include "core/ClipBoardMode.h"
#include "ui/Geometry.h"
#include "ui/VirtualScreen.h"
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
    std::function<void()> onFlush;
    bool NonClientRendering(HWND w) const override {
        if (onQuery) onQuery(w);
        return frames.count(w) != 0;
    }
    RECT ExtendedFrameBounds(HWND w) const override { return frames.at(w); }
    bool Cloaked(HWND w) const override { return w == cloaked; }
    void Flush() const override {
        if (onFlush) onFlush();
    }
};

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
    // Once the scene handled what it was sent (the activations of the last capture), painted all
    // it has to and the screen stands still.
    void Act() {
        for (HWND w : windows) ASSERT_TRUE(WaitUntil([&] { return Idle(w) && !GetUpdateRect(w, nullptr, FALSE); }));
        screen = StillScreen(size);
        mode->Act([this] { ++finished; });
    }
    void Start(Mode m) {
        Make(m);
        Act();
    }
    // The scene's window of that title; no title: the desktop window.
    HWND Named(const wchar_t* title) const {
        for (size_t i = 0; title != nullptr && i < std::size(kWindows); ++i)
            if (std::wcscmp(kWindows[i].title, title) == 0) return windows[i];
        return GetDesktopWindow();
    }
    // A point in the client area of the window of that title; no title: a screen point.
    POINT At(const wchar_t* title, POINT point) const {
        if (title != nullptr) ClientToScreen(Named(title), &point);
        return point;  // overlay points are screen points: the screen starts at (0, 0)
    }
    // What picking that window highlights: a child cut to its top-level window, all clamped to the screen.
    RECT Highlighted(const wchar_t* title) const {
        const HWND w = Named(title);
        const RECT r = title == nullptr ? RECT{0, 0, size.cx, size.cy}
                                        : Intersect(WindowRect(w), WindowRect(GetAncestor(w, GA_ROOT)));
        return ClampToSize(r, size);
    }
    void ExpectPicked(const wchar_t* title) const {
        EXPECT_EQ(PickState::HitWindow(*mode), Named(title));
        EXPECT_EQ(ToCore(PickState::Highlight(*mode)), ToCore(Highlighted(title)));
    }
    void HoldBack() {  // in a capture of the hidden All mode, by a right click
        Start(Mode::HiddenAll);
        Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
        Send(WM_RBUTTONUP, At(L"back", {10, 10}));
    }
    void Send(UINT message, POINT p) { SendMessageW(PickState::Overlay(*mode), message, 0, MAKELPARAM(p.x, p.y)); }
    void Key(WPARAM key) { SendMessageW(PickState::Overlay(*mode), WM_KEYDOWN, key, 0); }
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
    // The index-th image; empty unless it has r's size.
    DecodedImage Image(size_t index, const RECT& r) const {
        const DecodedImage image = images.Image(index);
        const bool sized = image.width == r.right - r.left && image.height == r.bottom - r.top;
        EXPECT_TRUE(sized) << index;
        return sized ? image : DecodedImage{};
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
        wake = KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        owner = std::thread([] {
            const OwnedWindow hung(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"hung",
                                                   WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr, nullptr,
                                                   nullptr));
            window = hung.get();
            WaitForSingleObject(wake.get(), INFINITE);
        });
        WaitUntil([] { return window != nullptr && IsHungAppWindow(window); }, 15s);
    }
    static void TearDownTestSuite() {
        SetEvent(wake.get());
        owner.join();
        wake.Close();
    }
    void SetUp() override { ASSERT_TRUE(IsHungAppWindow(window)); }
    static HWND Popup(HWND insertAfter) {
        HWND popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                     100, 100, nullptr, nullptr, nullptr, nullptr);
        SetWindowPos(popup, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return popup;
    }
    static inline KernelHandle wake{nullptr};
    static inline std::thread owner;
    static inline std::atomic<HWND> window = nullptr;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
};

// Every call on it would wait for its thread: the windows raised around it leave it where it stood.
TEST_F(HungWindow, IsNeitherPicturedNorRestacked) {
    const OwnedWindow below(Popup(window));
    const OwnedWindow above(Popup(HWND_TOPMOST));
    const size_t pictures =
        PictureWindows({{above.get(), {}}, {window.load(), {}}, {below.get(), {}}}, screen, SystemDwm()).size();
    std::vector<HWND> order;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (h == above.get() || h == window || h == below.get()) order.push_back(h);
    EXPECT_EQ(pictures, 2u);
    EXPECT_EQ(order, (std::vector<HWND>{above.get(), window, below.get()}));
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
    EXPECT_EQ(ToCore(highlight), ToCore(WindowRect(window)));
}

// Green at (100, 100)-(300, 300), under a pattern window from (200, 200). Its thread answers at
// once but spends its time in a SendMessage to a window that takes 80 ms to answer: there Wine
// serves sent messages but reads no exposures, so the raised window's pixels reach the screen
// only when the thread next reads its messages.
TEST(PictureWindows, ACoveredWindowIsPicturedOnceItsPixelsReachTheScreen) {
    static const auto slowProcedure = [](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == WM_USER) Sleep(80);
        return DefWindowProcW(hwnd, message, w, l);
    };
    const OwnedBrush green(CreateSolidBrush(RGB(0, 200, 0)));
    const WNDCLASSEXW slowClass = {sizeof slowClass, 0,       slowProcedure, 0,      0, nullptr, nullptr, nullptr,
                                   nullptr,          nullptr, L"GlimraSlow", nullptr};
    const WNDCLASSEXW greenClass = {sizeof greenClass, 0,       DefWindowProcW, 0,      0, nullptr, nullptr, nullptr,
                                    green.get(),       nullptr, L"GlimraGreen", nullptr};
    RegisterClassExW(&slowClass);
    RegisterClassExW(&greenClass);
    std::atomic<HWND> slow = nullptr, late = nullptr;
    // Both end at the test's end however it leaves, the late one first: it calls the slow one.
    std::jthread slowThread([&](std::stop_token stop) {
        const OwnedWindow window(
            CreateWindowExW(0, L"GlimraSlow", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
        slow = window.get();
        while (!stop.stop_requested()) PumpMessages();
    });
    std::jthread lateThread([&](std::stop_token stop) {
        const OwnedWindow window(CreateWindowExW(WS_EX_TOOLWINDOW, L"GlimraGreen", L"", WS_POPUP | WS_VISIBLE, 100, 100,
                                                 200, 200, nullptr, nullptr, nullptr, nullptr));
        late = window.get();
        while (!stop.stop_requested()) {
            PumpMessages();
            SendMessageW(slow, WM_USER, 0, 0);
        }
    });
    ASSERT_TRUE(
        WaitUntil([&] { return slow != nullptr && late != nullptr && ScreenPixel(150, 150) == RGB(0, 200, 0); }));
    PatternWindow cover({200, 200, 400, 400});
    ASSERT_TRUE(cover.Shown());
    const std::vector<WindowImage> pictures =
        PictureWindows({{cover.Handle(), {}}, {late.load(), {}}}, VirtualScreenRect(), SystemDwm());
    ASSERT_FALSE(pictures.empty());
    const MemorySurface picture(CreateDib24(400, 400));
    pictures[0].Paste(picture.dc(), {0, 0});
    EXPECT_EQ(GetPixel(picture.dc(), 250, 250), RGB(0, 200, 0));
}

// A window that point lies in (its title and a point in its client area, or no title and a screen
// point) and the window a move there picks (no title: the desktop window, the whole screen highlighted).
struct Pick {
    Mode mode;
    const wchar_t* at;
    POINT point;
    const wchar_t* picked;
};
void PrintTo(const Pick& p, std::ostream* out) {
    *out << "mode " << int(p.mode) << " at " << Narrow(p.at ? p.at : L"screen") << " " << p.point.x << "," << p.point.y;
}
class ScenePick : public SceneCapture, public testing::WithParamInterface<Pick> {};

TEST_P(ScenePick, AMovePicksTheWindowUnderTheCursor) {
    Start(GetParam().mode);
    Send(WM_MOUSEMOVE, At(GetParam().at, GetParam().point));
    ExpectPicked(GetParam().picked);
}
INSTANTIATE_TEST_SUITE_P(
    Scene, ScenePick,
    testing::Values(
        Pick{Mode::HiddenTop, L"owner", {10, 10}, L"modal"},  // the modal popup of the disabled owner
        Pick{Mode::HiddenTop, L"deskbox", {10, 10}, nullptr},  // the desktop is never picked
        Pick{Mode::HiddenTop, nullptr, {20, 1070}, L"mini"},  // minimised: not pictured, as the frozen screen shows it
        Pick{Mode::HiddenAll, L"box", {5, 5}, L"box"}, Pick{Mode::HiddenAll, L"owner", {10, 10}, L"owner"},
        Pick{Mode::Top, L"topA", {260, 60}, L"topB"},
        Pick{Mode::Top, L"edge", {10, 10}, L"edge"},  // clamped to the screen
        Pick{Mode::Top, nullptr, {1000, 1040}, nullptr},
        Pick{Mode::All, L"deskbox", {10, 10}, L"desk"}));  // the desktop's children are never picked

// After a move over front, whose picture the hidden modes paste: none of it is left on the output.
class SceneOutput : public ScenePick {};
TEST_P(SceneOutput, AClickOutputsThePickedAreaAsTheFrozenScreenShowsIt) {
    Start(GetParam().mode);
    Send(WM_MOUSEMOVE, At(L"front", {100, 100}));
    const POINT p = At(GetParam().at, GetParam().point);
    Send(WM_MOUSEMOVE, p);
    Send(WM_LBUTTONUP, p);
    const RECT want = Highlighted(GetParam().picked);
    const DecodedImage image = Image(0, want);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            ASSERT_EQ(Rgb(image.Pixel(x, y)), screen[static_cast<size_t>(want.top + y) * size.cx + want.left + x])
                << x << "," << y;
    EXPECT_EQ(images.Images().size(), 1u);
}
INSTANTIATE_TEST_SUITE_P(
    Scene, SceneOutput,
    testing::Values(Pick{Mode::HiddenTop, nullptr, {1000, 1040}, nullptr},
                    Pick{Mode::Top, L"back", {10, 10}, L"back"},  // with front over it, as it was
                    Pick{Mode::All, L"panel", {10, 10}, L"panel"},  // cut to the frame it sticks out of
                    Pick{Mode::All, nullptr, {1000, 1040}, nullptr}));

TEST_F(SceneCapture, AWindowThatHidItselfIsNeverPicked) {
    Start(Mode::Top);  // takes the focus from the hider, which hides
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(windows[kHider]); }));
    Act();
    Send(WM_MOUSEMOVE, At(L"hider", {10, 10}));
    ExpectPicked(L"desk");
}

TEST_F(SceneCapture, ARightClickHoldsThePickWhileTheCursorMoves) {
    HoldBack();
    Send(WM_MOUSEMOVE, At(L"front", {100, 100}));
    ExpectPicked(L"back");
}

TEST_F(SceneCapture, AHeldWindowStillLetsTheAllModePickItsChildren) {
    HoldBack();
    Send(WM_MOUSEMOVE, At(L"box", {5, 5}));
    ExpectPicked(L"box");
}

TEST_F(SceneCapture, ASecondRightClickLetsGoOfTheHold) {
    HoldBack();
    Send(WM_RBUTTONUP, At(L"back", {10, 10}));
    Send(WM_MOUSEMOVE, At(L"front", {100, 100}));
    ExpectPicked(L"front");
}

TEST_F(SceneCapture, TheFirstEscapeOnlyLetsGoOfAHold) {
    HoldBack();
    Key(VK_ESCAPE);
    EXPECT_EQ(finished, 0);
    Key(VK_ESCAPE);
    EXPECT_EQ(finished, 1);
}

TEST_F(SceneCapture, AHiddenCapturePutsTheWindowsBackAsTheyWereStacked) {
    Start(Mode::HiddenTop);
    Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
    Key(VK_ESCAPE);
    ExpectSceneBack();
}

// The output's clipboard is the toolbar's, so the overlay must be owned by it.
TEST_F(SceneCapture, TheHiddenModesOverlayIsOwnedByTheToolbar) {
    Make(Mode::HiddenAll);
    EXPECT_EQ(GetWindow(PickState::Overlay(*mode), GW_OWNER), owner.Handle());
}

// Enter before any move outputs what lies under the cursor, not what the last capture held.
TEST_F(SceneCapture, ANewCaptureStartsFromTheRealCursorNotTheLastHold) {
    ASSERT_TRUE(PlaceCursor(At(L"back", {10, 10})));
    Start(Mode::HiddenAll);
    Send(WM_RBUTTONUP, At(L"back", {10, 10}));
    Key(VK_RETURN);
    ASSERT_TRUE(PlaceCursor(At(L"front", {100, 100})));
    Act();
    Key(VK_RETURN);
    EXPECT_EQ(finished, 2);
    EXPECT_NE(Image(1, WindowRect(Named(L"front"))).width, 0);
}

TEST_F(SceneCapture, AnErrorWhilePicturingPutsTheWindowsBack) {
    FakeDwm dwm;
    int flushes = 0;  // one for each window raised
    dwm.onFlush = [&] {
        if (++flushes == 3) throw std::runtime_error("no composition");
    };
    Make(Mode::HiddenTop, dwm);
    EXPECT_THROW(Act(), std::runtime_error);
    EXPECT_EQ(finished, 1);
    ExpectSceneBack();
    mode.reset();  // before the fake it refers to
}

// Back's frame as DWM draws it, 7 pixels inside its window rectangle but at the top; front cloaked.
class SceneThroughDwm : public SceneCapture {
protected:
    void SetUp() override {
        SceneCapture::SetUp();
        back = WindowRect(Named(L"back"));
        frame = {back.left + 7, back.top, back.right - 7, back.bottom - 7};
        dwm.frames[Named(L"back")] = frame;
        dwm.cloaked = Named(L"front");
        Make(Mode::Top, dwm);
        Act();
    }
    FakeDwm dwm;  // outlives the mode, which the base's TearDown ends
    RECT back = {}, frame = {};
};

TEST_F(SceneThroughDwm, ACloakedWindowIsSeenThrough) {
    Send(WM_MOUSEMOVE, At(L"front", {100, 100}));
    EXPECT_EQ(PickState::HitWindow(*mode), Named(L"back"));
}

TEST_F(SceneThroughDwm, TheHighlightIsTheFrameDwmDraws) {
    Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
    EXPECT_EQ(ToCore(PickState::Highlight(*mode)), ToCore(frame));
}

TEST_F(SceneThroughDwm, APointOutsideTheFrameMissesTheWindow) {
    Send(WM_MOUSEMOVE, {back.left + 3, back.top + 50});
    EXPECT_EQ(PickState::HitWindow(*mode), Named(L"desk"));
}

// Gone between the hit-test and the rectangle: nothing output, the clipboard left alone.
TEST_F(SceneThroughDwm, AWindowGoneBeforeItsRectangleIsReadOutputsNothing) {
    SettingGuard text(SectionSettings, KeyClipBoard, ClipBoardCopyText);
    SetClipboardText(owner.Handle(), L"kept");
    int reads = 0;
    dwm.onQuery = [&](HWND w) {
        if (w == Named(L"back")) dwm.frames[w] = ++reads % 2 != 0 ? frame : RECT{5000, 5000, 5100, 5100};
    };
    Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
    EXPECT_FALSE(HasArea(PickState::Highlight(*mode)));
    Send(WM_LBUTTONUP, At(L"back", {10, 10}));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(HasPendingException());
    EXPECT_TRUE(images.Images().empty());
    EXPECT_EQ(ClipboardText(), "kept");
}

// Moving back to a window shows what the first move there did: no earlier pick's marks or picture stay.
TEST_F(SceneCapture, EachMoveLeavesOnlyItsOwnMarksOnTheOverlay) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard tip(SectionSettings, KeyMouseToolTip, 1), hiddenTip(SectionSettings, KeyMouseToolTipHidden, 1);
    ASSERT_TRUE(PlaceCursor(At(L"back", {10, 10})));  // a move the system sends meanwhile draws the same frame
    for (Mode m : {Mode::HiddenAll, Mode::Top}) {
        Start(m);
        const HDC work = PickState::Snapshot(*mode).workDC();
        Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
        const auto first = SurfacePixels(work, size);
        Send(WM_MOUSEMOVE, At(L"box", {5, 5}));
        EXPECT_NE(SurfacePixels(work, size), first);
        Send(WM_MOUSEMOVE, At(L"back", {10, 10}));
        EXPECT_TRUE(SurfacePixels(work, size) == first);
        UpdateWindow(PickState::Overlay(*mode));
        EXPECT_TRUE(WaitUntil([&] { return SurfacePixels(ScreenDC().get(), size) == first; }, 3s));
        Key(VK_ESCAPE);
    }
}

}  // namespace
}  // namespace Vorlune::Test
