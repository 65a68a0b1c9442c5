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

constexpr TextId kCursorToggle = TextCursorToggle;

HWND FindCountdown() { return FindWindowW(kCountdownClassName, nullptr); }

// What the test saw at each one-second wait.
struct SeenWait {
    DWORD milliseconds;
    std::wstring caption;
    bool visible;
    HWND foreground;
    size_t images;
};

class Delayed : public testing::Test {
protected:
    void SetUp() override {
        App().title = L"Glimra";
        oldLanguage = App().Language;
    }
    void TearDown() override {
        App().title.clear();
        App().Language = oldLanguage;
        PumpMessages();
    }
    // A capture whose waits record what is on screen, then run onWait.
    std::unique_ptr<DelayedDesktopCapture> MakeMode() {
        return std::make_unique<DelayedDesktopCapture>(owner.Handle(), [this](DWORD ms) {
            HWND window = FindCountdown();
            waits.push_back({ms, WindowText(window), IsWindowVisible(window) != FALSE, GetForegroundWindow(),
                             folder.Images().size()});
            if (onWait) onWait();
        });
    }
    void Run(DelayedDesktopCapture& mode) {
        mode.Act([this] { ++finished; });
    }
    template <class Error>
    void ExpectFailure(DelayedDesktopCapture& mode, const wchar_t* delaySeconds, const char* what) {
        StringSettingGuard delay(KeyDelaySeconds, delaySeconds);
        try {
            Run(mode);
            ADD_FAILURE() << "no exception for " << Narrow(delaySeconds);
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), what);
        }
    }

    ImageFolderGuard folder;
    ToggleGuard cursorOff{kCursorToggle, 0};
    OwnerWindow owner;
    std::vector<SeenWait> waits;
    std::function<void()> onWait;
    int finished = 0;
    int oldLanguage = 0;
};

TEST_F(Delayed, CountsDownInTheCaptionThenSavesTheScreen) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    auto mode = MakeMode();
    const struct {
        int language;
        std::vector<std::wstring> captions;
    } runs[] = {
        {1, {L"Glimra 3 Sec.", L"Glimra 2 Sec.", L"Glimra 1 Sec."}},
        {0, {L"Glimra 3 秒", L"Glimra 2 秒", L"Glimra 1 秒"}},
    };
    size_t runIndex = 0;
    for (const auto& run : runs) {
        SCOPED_TRACE(run.language);
        App().Language = run.language;
        waits.clear();
        Run(*mode);
        ++runIndex;
        EXPECT_EQ(finished, static_cast<int>(runIndex));
        // Three seconds, then the settle pause with the countdown already gone, all through
        // the injected wait.
        ASSERT_EQ(waits.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(waits[i].caption, i < 3 ? run.captions[i] : L"");
            EXPECT_EQ(waits[i].milliseconds, i < 3 ? 1000u : 100u);
            EXPECT_EQ(waits[i].visible, i < 3);
            EXPECT_EQ(waits[i].images, runIndex - 1);  // nothing written before the last wait
        }
        EXPECT_EQ(folder.Images().size(), runIndex);
        // Destroyed after use, not left behind for the next capture to add to.
        EXPECT_EQ(FindCountdown(), nullptr);
    }
    ASSERT_FALSE(folder.Images().empty());
    const Bitmap24 image = ReadBitmap24(folder.Images().back());
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(image.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TEST_F(Delayed, CountdownKeepsAwayFromTheFocusAndThePicture) {
    StringSettingGuard delay(KeyDelaySeconds, L"2");
    constexpr COLORREF kCorner = 0x40C0E0;
    ForeignColourWindow corner({0, 0, 40, 40}, kCorner);
    SetForegroundWindow(corner.Handle());
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(0, 0) == kCorner && GetForegroundWindow() == corner.Handle(); }));
    int covered = 0;
    onWait = [&] {
        // Shown, the window does lie over the corner pixel: the picture must be taken without it.
        if (waits.back().visible && WaitUntil([&] { return ScreenPixel(0, 0) != kCorner; })) ++covered;
    };
    auto mode = MakeMode();
    Run(*mode);
    ASSERT_EQ(waits.size(), 3u);
    for (const SeenWait& wait : waits) EXPECT_EQ(wait.foreground, corner.Handle());
    EXPECT_EQ(covered, 2);
    EXPECT_EQ(GetForegroundWindow(), corner.Handle());
    const Bitmap24 image = ReadBitmap24(folder.Images().at(0));
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.Pixel(0, 0), kCorner);
    EXPECT_EQ(image.Pixel(1, 1), kCorner);
}

TEST_F(Delayed, WhatChangesDuringTheCountdownIsInThePicture) {
    StringSettingGuard delay(KeyDelaySeconds, L"2");
    constexpr COLORREF kBefore = 0x30A050;
    constexpr COLORREF kAfter = 0xA03050;
    auto window = std::make_unique<ColourWindow>(RECT{300, 300, 360, 360}, kBefore);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(310, 310) == kBefore; }));
    onWait = [&] {
        if (waits.size() != 2) return;
        window = std::make_unique<ColourWindow>(RECT{300, 300, 360, 360}, kAfter);
        WaitUntil([&] { return ScreenPixel(310, 310) == kAfter; });
    };
    auto mode = MakeMode();
    Run(*mode);
    ASSERT_EQ(waits.size(), 3u);
    const Bitmap24 image = ReadBitmap24(folder.Images().at(0));
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.Pixel(310, 310), kAfter);
}

TEST_F(Delayed, CursorIsPaintedWhereItIsAfterTheCountdown) {
    ToggleGuard cursorOn(kCursorToggle, 1);
    StringSettingGuard delay(KeyDelaySeconds, L"1");
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    auto before = std::make_unique<CurrentCursor>(cursor, 300, 250);
    ASSERT_TRUE(before->Ready());
    std::unique_ptr<CurrentCursor> after;
    onWait = [&] { after = std::make_unique<CurrentCursor>(cursor, 700, 500); };
    auto mode = MakeMode();
    Run(*mode);
    const bool moved = after != nullptr && after->Ready();
    before.reset();
    after.reset();
    DestroyCursor(cursor);
    ASSERT_TRUE(moved);
    const Bitmap24 image = ReadBitmap24(folder.Images().at(0));
    ASSERT_TRUE(image.Valid());
    for (int y = 500; y < 503; ++y)
        for (int x = 700; x < 703; ++x) EXPECT_EQ(image.Pixel(x, y), 0x000000u) << x << "," << y;
    EXPECT_EQ(image.Pixel(705, 505), 0xFFFFFFu);
    // Where it was when the countdown began there is only the window under it.
    EXPECT_EQ(image.Pixel(300, 250), 0x808080u);
    EXPECT_EQ(image.Pixel(305, 255), 0x808080u);
}

TEST_F(Delayed, ZeroOrLessCapturesAtOnce) {
    auto mode = MakeMode();
    size_t expected = 0;
    for (const wchar_t* value : {L"0", L"-2"}) {
        StringSettingGuard delay(KeyDelaySeconds, value);
        Run(*mode);
        ++expected;
        EXPECT_TRUE(waits.empty());
        EXPECT_EQ(finished, static_cast<int>(expected));
        EXPECT_EQ(folder.Images().size(), expected);
        EXPECT_EQ(FindCountdown(), nullptr);
    }
}

TEST_F(Delayed, DelayThatIsNotAnIntFailsCleanlyAndEndsTheCaptureOnce) {
    auto mode = MakeMode();
    ExpectFailure<std::invalid_argument>(*mode, L"abc", "invalid stoi argument");
    EXPECT_EQ(finished, 1);
    ExpectFailure<std::out_of_range>(*mode, L"99999999999", "stoi argument out of range");
    EXPECT_EQ(finished, 2);
    EXPECT_TRUE(waits.empty());
    EXPECT_TRUE(folder.Images().empty());
    EXPECT_EQ(FindCountdown(), nullptr);

    // Read as std::stoi reads: leading blanks and trailing rubbish are allowed.
    EXPECT_EQ(ParseDelaySeconds(L" 5"), 5);
    EXPECT_EQ(ParseDelaySeconds(L"2x"), 2);
    EXPECT_THROW(ParseDelaySeconds(L""), std::invalid_argument);
    EXPECT_THROW(ParseDelaySeconds(L"2147483648"), std::out_of_range);

    // The program stays usable.
    StringSettingGuard delay(KeyDelaySeconds, L"0");
    Run(*mode);
    EXPECT_EQ(finished, 3);
    EXPECT_EQ(folder.Images().size(), 1u);
}

TEST_F(Delayed, FailingWaitLeavesNoWindowAndEndsTheCaptureOnce) {
    StringSettingGuard delay(KeyDelaySeconds, L"3");
    onWait = [] { throw std::runtime_error("interrupted"); };
    auto mode = MakeMode();
    EXPECT_THROW(Run(*mode), std::runtime_error);
    EXPECT_EQ(waits.size(), 1u);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(FindCountdown(), nullptr);
    EXPECT_TRUE(folder.Images().empty());
}

TEST(CountdownCaption, IsTitleSecondsUnitAndAtMost99Characters) {
    EXPECT_EQ(CountdownCaption(L"Glimra", 15, L"Sec."), L"Glimra 15 Sec.");
    EXPECT_EQ(CountdownCaption(L"", 1, L"秒"), L" 1 秒");
    const std::wstring longTitle(120, L'x');
    EXPECT_EQ(CountdownCaption(longTitle, 3, L"Sec."), std::wstring(99, L'x'));
    const std::wstring title95(95, L'y');
    EXPECT_EQ(CountdownCaption(title95, 2147483647, L"Sec."), title95 + L" 214");
}

}  // namespace
}  // namespace Vorlune::Test
