#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Capture/CountdownWindow.h"
#include "Capture/DesktopCapture.h"
#include "CaptureProbe.h"
#include "ForeignWindow.h"
#include "ImageFiles.h"
#include "MessageBoxWatcher.h"
#include "SettingGuard.h"
#include "Wait.h"
#include "app/AppContext.h"

namespace Vorlune::Test {
namespace {

HWND FindCountdown() { return FindWindowW(kCountdownClassName, nullptr); }

// What the test saw at each wait.
struct SeenWait {
    DWORD milliseconds;
    std::wstring caption;
    bool visible;
    HWND foreground;
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
    // A capture whose injected waits record what is on screen, then run onWait.
    void Run() {
        mode.Act([this] { ++finished; });
    }
    Bitmap24 Image() {
        const auto image = folder.Image(0);
        EXPECT_TRUE(image.has_value());
        return image.value_or(Bitmap24{});
    }

    ImageFolderGuard folder;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    OwnerWindow owner;
    std::vector<SeenWait> waits;
    std::function<void()> onWait;
    int finished = 0;
    int oldLanguage = App().Language;
    DelayedDesktopCapture mode{owner.Handle(), [this](DWORD ms) {
                                   HWND window = FindCountdown();
                                   waits.push_back({ms, WindowText(window), IsWindowVisible(window) != FALSE,
                                                    GetForegroundWindow(), folder.Images().size()});
                                   if (onWait) onWait();
                               }};
};

TEST_F(Delayed, CountsDownInTheCaptionThenSavesTheScreen) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    const std::pair<int, const wchar_t*> runs[] = {{1, L"Sec."}, {0, L"秒"}};
    size_t count = 0;
    for (const auto& [language, unit] : runs) {
        SCOPED_TRACE(language);
        App().Language = language;
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
            EXPECT_EQ(waits[i].images, count - 1);
        }
        EXPECT_EQ(folder.Images().size(), count);
        EXPECT_EQ(FindCountdown(), nullptr) << "destroyed after use, not left for the next capture";
    }
    const Bitmap24 image = Image();
    EXPECT_EQ(image.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(image.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// The countdown never takes the focus and, shown, lies over the corner pixel: the picture is
// taken without it, and with what changed during the countdown.
TEST_F(Delayed, CountdownKeepsAwayFromTheFocusAndThePicture) {
    StringSettingGuard delay(KeyDelaySeconds, L"2");
    constexpr COLORREF kCorner = 0x40C0E0, kBefore = 0x30A050, kAfter = 0xA03050;
    ForeignColourWindow corner({0, 0, 40, 40}, kCorner);
    auto window = std::make_unique<ColourWindow>(RECT{300, 300, 360, 360}, kBefore);
    SetForegroundWindow(corner.Handle());
    ASSERT_TRUE(WaitUntil([&] {
        return ScreenPixel(0, 0) == kCorner && ScreenPixel(310, 310) == kBefore && GetForegroundWindow() == corner.Handle();
    }));
    int covered = 0;
    onWait = [&] {
        if (waits.back().visible && WaitUntil([&] { return ScreenPixel(0, 0) != kCorner; })) ++covered;
        if (waits.size() != 2) return;
        window = std::make_unique<ColourWindow>(RECT{300, 300, 360, 360}, kAfter);
        SetForegroundWindow(corner.Handle());  // in case the test's own window took it
        WaitUntil([&] { return ScreenPixel(310, 310) == kAfter && GetForegroundWindow() == corner.Handle(); });
    };
    Run();
    ASSERT_EQ(waits.size(), 3u);
    for (const SeenWait& wait : waits) EXPECT_EQ(wait.foreground, corner.Handle());
    EXPECT_EQ(covered, 2);
    EXPECT_EQ(GetForegroundWindow(), corner.Handle());
    const Bitmap24 image = Image();
    for (POINT at : {POINT{0, 0}, {1, 1}}) EXPECT_EQ(image.Pixel(at.x, at.y), kCorner);
    EXPECT_EQ(image.Pixel(310, 310), kAfter);
}

TEST_F(Delayed, CursorIsPaintedWhereItIsAfterTheCountdown) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    StringSettingGuard delay(KeyDelaySeconds, L"1");
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    auto before = std::make_unique<CurrentCursor>(cursor, 300, 250);
    ASSERT_TRUE(before->Ready());
    std::unique_ptr<CurrentCursor> after;
    onWait = [&] { after = std::make_unique<CurrentCursor>(cursor, 700, 500); };
    Run();
    const bool moved = after != nullptr && after->Ready();
    before.reset();
    after.reset();
    DestroyCursor(cursor);
    ASSERT_TRUE(moved);
    const Bitmap24 image = Image();
    for (int y = 500; y < 503; ++y)
        for (int x = 700; x < 703; ++x) EXPECT_EQ(image.Pixel(x, y), 0x000000u) << x << "," << y;
    EXPECT_EQ(image.Pixel(705, 505), 0xFFFFFFu);
    // Where it was when the countdown began there is only the window under it.
    for (POINT at : {POINT{300, 250}, {305, 255}}) EXPECT_EQ(image.Pixel(at.x, at.y), 0x808080u);
}

// A delay out of int's range fails as std::stoi does (a delay that is no number is the
// command tests' part) and ends the capture once; zero or less captures at once.
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
    EXPECT_EQ(FindCountdown(), nullptr);
    EXPECT_EQ(ParseDelaySeconds(L" 5"), 5);
    EXPECT_EQ(ParseDelaySeconds(L"2x"), 2);
    EXPECT_THROW(ParseDelaySeconds(L""), std::invalid_argument);
    EXPECT_THROW(ParseDelaySeconds(L"2147483648"), std::out_of_range);
}

TEST_F(Delayed, FailingWaitLeavesNoWindowAndEndsTheCaptureOnce) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    onWait = [] { throw std::runtime_error("interrupted"); };
    EXPECT_THROW(Run(), std::runtime_error);
    EXPECT_EQ(waits.size(), 1u);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(FindCountdown(), nullptr);
    EXPECT_TRUE(folder.Images().empty());
}

TEST(CountdownCaption, IsTitleSecondsUnitAndAtMost99Characters) {
    EXPECT_EQ(CountdownCaption(L"Glimra", 15, L"Sec."), L"Glimra 15 Sec.");
    EXPECT_EQ(CountdownCaption(L"", 1, L"秒"), L" 1 秒");
    EXPECT_EQ(CountdownCaption(std::wstring(120, L'x'), 3, L"Sec."), std::wstring(99, L'x'));
    const std::wstring title95(95, L'y');
    EXPECT_EQ(CountdownCaption(title95, 2147483647, L"Sec."), title95 + L" 214");
}

}  // namespace
}  // namespace Vorlune::Test
