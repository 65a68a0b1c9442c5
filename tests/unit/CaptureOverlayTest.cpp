#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Capture/CaptureErrors.h"
#include "Capture/CountdownWindow.h"
#include "Capture/DesktopCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "MessageBoxWatcher.h"  // WindowText
#include "SettingGuard.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "ui/PendingException.h"

// The overlay every mode shows, then the whole-screen modes, with and without it.
namespace Vorlune::Test {
namespace {

class Overlay : public testing::Test {
protected:
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    OwnerWindow owner;
    std::unique_ptr<ProbeCapture> mode = MakeCaptureMode<ProbeCapture>(owner.Handle());
};

// The overlay is kept for the next capture and holds the foreground only while up; stray
// messages afterwards reach nothing, and a paint without a snapshot is validated.
TEST_F(Overlay, EveryEndRunsTheCallbackOnceAndKeepsTheOverlay) {
    ImageFolderGuard images;
    ColourWindow other({50, 50, 150, 150}, 0x808080);
    const std::pair<const char*, void (*)(HWND)> ends[] = {
        {"Escape", [](HWND) { TypeKeys({VK_ESCAPE}); }},
        {"Enter, the whole screen output", [](HWND) { TypeKeys({VK_RETURN}); }},
        {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
    };
    int count = 0;
    for (const auto& [name, end] : ends) {
        SCOPED_TRACE(name);
        mode->Begin();
        HWND overlay = mode->Window();
        std::vector<HGDIOBJ> objects;  // the snapshot's DCs and bitmaps, all to be freed
        for (HDC dc : {mode->Frozen()->frozenDC, mode->Frozen()->workDC, mode->Frozen()->outputDC})
            objects.insert(objects.end(), {dc, GetCurrentObject(dc, OBJ_BITMAP)});
        SetForegroundWindow(other.Handle());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == overlay; }));
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
        SetForegroundWindow(other.Handle());
        PumpMessages();
        EXPECT_EQ(GetForegroundWindow(), other.Handle());
    }
    EXPECT_EQ(images.Images().size(), 1u);
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

// Hidden at once, before the loop reports the error, and no handler runs until it has.
TEST_F(Overlay, HandlerFailureHidesTheOverlayBeforeTheErrorIsReported) {
    mode->onLButtonUp = [](POINT) { throw std::runtime_error("probe failure"); };
    mode->Begin();
    HWND overlay = mode->Window();
    ASSERT_TRUE(IsWindowVisible(overlay));
    for (int i = 0; i < 2; ++i) SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_EQ(mode->PointsOf(WM_LBUTTONUP).size(), 1u);
    EXPECT_THROW(RethrowPendingException(), std::runtime_error);
    EndingReported();
    EXPECT_FALSE(HasPendingException());
}

constexpr COLORREF kMarkerColour = 0x0000FF;  // auxiliary line colour 9
constexpr COLORREF kColour = 0x30A050;

// The index-th image: the whole virtual screen.
Bitmap24 ScreenImage(const ImageFolderGuard& folder, size_t index = 0) {
    const auto image = folder.Image(index);
    EXPECT_TRUE(image.has_value());
    if (!image) return {};
    EXPECT_EQ(image->width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(image->height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return *image;
}

// The test cursor: black 3 x 3 from the hot spot, white at (5, 5) from it.
bool CursorPaintedAt(const Bitmap24& image, POINT at) {
    for (int y = at.y; y < at.y + 3; ++y)
        for (int x = at.x; x < at.x + 3; ++x)
            if (image.Pixel(x, y) != 0x000000) return false;
    return image.Pixel(at.x + 5, at.y + 5) == 0xFFFFFF;
}

// With the cursor toggle: the cursor where the keys put it, never where it was at the freeze.
TEST(Desktop, SavesInsideActOrWithTheCursorWhereTheKeysPutIt) {
    ImageFolderGuard folder;
    SettingGuard lineColour{SectionSettings, KeyAuxiliaryLineColor, 9};
    OwnerWindow owner;
    auto window = std::make_unique<ColourWindow>(RECT{200, 150, 260, 210}, kColour);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kColour; }));
    auto mode = MakeCaptureMode<DesktopCapture>(owner.Handle());
    HWND overlay = FindWindowW(L"DesktopCapture", nullptr);
    int finished = 0;
    {
        ToggleGuard cursorOff(TextCursorToggle, 0);
        mode->Act([&] { ++finished; });
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(ScreenImage(folder).Pixel(200, 150), kColour);
    }
    ToggleGuard cursorOn(TextCursorToggle, 1);
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    CurrentCursor current(cursor, 300, 250);
    ASSERT_TRUE(current.Ready());
    mode->Act([&] { ++finished; });
    window.reset();  // the live screen changes after the freeze
    ASSERT_TRUE(PlaceCursor({600, 400}));
    SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(600, 400));
    ASSERT_TRUE(WaitUntil([&] {  // the marker circle shown
        UpdateWindow(overlay);
        return ScreenPixel(570, 400) == kMarkerColour;
    }));
    for (WPARAM key : {VK_RIGHT, VK_DOWN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
    EXPECT_EQ(folder.Images().size(), 1u);
    SetCursor(cursor);
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(finished, 2);
    DestroyCursor(cursor);
    EXPECT_FALSE(IsWindowVisible(overlay));
    const Bitmap24 image = ScreenImage(folder, 1);
    EXPECT_EQ(image.Pixel(210, 160), kColour);
    EXPECT_TRUE(CursorPaintedAt(image, {601, 401}));
    EXPECT_EQ(image.Pixel(300, 250), 0x808080u);
    for (int y = 397; y <= 405; ++y) EXPECT_NE(image.Pixel(571, y), kMarkerColour) << "the aim is shown, never saved";
}

HWND FindCountdown() { return FindWindowW(kCountdownClassName, nullptr); }

// What the test saw at each wait.
struct SeenWait { DWORD milliseconds; std::wstring caption; bool visible, focused; size_t images; };

class Delayed : public testing::Test {
protected:
    void SetUp() override { App().title = L"Glimra"; }
    void TearDown() override {
        App().title.clear();
        App().Language = oldLanguage;
        PumpMessages();
    }
    void Run() { mode.Act([this] { ++finished; }); }

    ImageFolderGuard folder;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    OwnerWindow owner;
    std::vector<SeenWait> waits;
    std::function<void()> onWait;
    int finished = 0;
    int oldLanguage = App().Language;
    // Its injected waits record what is on screen, then run onWait.
    DelayedDesktopCapture mode{owner.Handle(), [this](DWORD ms) {
                                   HWND window = FindCountdown();
                                   waits.push_back({ms, WindowText(window), IsWindowVisible(window) != FALSE,
                                                    window && GetForegroundWindow() == window, folder.Images().size()});
                                   if (onWait) onWait();
                               }};
};

// The second run with the cursor toggle: the cursor painted where it is after the countdown.
TEST_F(Delayed, CountsDownInTheCaptionThenSavesTheScreen) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    const std::pair<int, const wchar_t*> runs[] = {{1, L"Sec."}, {0, L"秒"}};
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    std::unique_ptr<CurrentCursor> moved;
    onWait = [&] { if (!moved && App().Language == 0) moved = std::make_unique<CurrentCursor>(cursor, 700, 500); };
    size_t count = 0;
    for (const auto& [language, unit] : runs) {
        SCOPED_TRACE(language);
        App().Language = language;
        ToggleGuard cursorOn(TextCursorToggle, language == 0 ? 1 : 0);
        waits.clear();
        Run();
        EXPECT_EQ(finished, static_cast<int>(++count));
        // Three seconds, then the settle pause with the countdown already gone, all through
        // the injected wait; nothing is written before the last.
        ASSERT_EQ(waits.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(waits[i].caption, i < 3 ? L"Glimra " + std::to_wstring(3 - i) + L" " + unit : L"");
            EXPECT_EQ(waits[i].milliseconds, i < 3 ? 1000u : 100u);
            EXPECT_EQ(waits[i].visible, i < 3);
            EXPECT_FALSE(waits[i].focused);
            EXPECT_EQ(waits[i].images, count - 1);
        }
        EXPECT_EQ(folder.Images().size(), count);
    }
    const bool ready = moved && moved->Ready();
    moved.reset();
    DestroyCursor(cursor);
    ASSERT_TRUE(ready);
    const Bitmap24 image = ScreenImage(folder, 1);
    EXPECT_TRUE(CursorPaintedAt(image, {700, 500}));
    EXPECT_EQ(image.Pixel(740, 540), 0x808080u);
}

// A delay that is no number is the command tests' part.
TEST_F(Delayed, ADelayThatIsNotAnIntFailsCleanlyAndZeroOrLessCapturesAtOnce) {
    {
        StringSettingGuard delay(KeyDelaySeconds, L"99999999999");
        try {
            Run();
            ADD_FAILURE() << "no exception";
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), "stoi argument out of range");
        }
    }
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(folder.Images().empty());
    for (const wchar_t* text : {L"0", L"-2"}) {
        StringSettingGuard delay(KeyDelaySeconds, text);
        Run();
    }
    EXPECT_EQ(finished, 3);
    EXPECT_EQ(folder.Images().size(), 2u);
    EXPECT_TRUE(waits.empty());
    EXPECT_EQ(ParseDelaySeconds(L" 5"), 5);
    EXPECT_EQ(ParseDelaySeconds(L"2x"), 2);
}

TEST(CountdownCaption, IsTitleSecondsUnitAndAtMost99Characters) {
    EXPECT_EQ(CountdownCaption(std::wstring(120, L'x'), 3, L"Sec."), std::wstring(99, L'x'));
    const std::wstring title95(95, L'y');
    EXPECT_EQ(CountdownCaption(title95, 2147483647, L"Sec."), title95 + L" 214");
}

}  // namespace
}  // namespace Vorlune::Test
