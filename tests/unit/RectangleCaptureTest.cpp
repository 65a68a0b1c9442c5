#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

// Selections on the real overlay, sent so that no move message comes between; read from the file.
namespace Vorlune::Test {
namespace {

class RectangleDrive : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    // One object of a mode at a time: they share its message map.
    template <class Mode = RectangleCapture>
    void Start(const wchar_t* className = L"RectangleCapture") {
        mode.reset();
        mode = MakeCaptureMode<Mode>(owner.Handle());
        overlay = FindWindowW(className, nullptr);
        Again();
    }
    void Again() { mode->Act([this] { ++finished; }); }
    void Send(UINT message, POINT p) { SendMessageW(overlay, message, 0, MAKELPARAM(p.x, p.y)); }
    // An auto-repeat has its previous key state down.
    void Key(WPARAM key, bool repeat = false) { SendMessageW(overlay, WM_KEYDOWN, key, repeat ? LPARAM{1} << 30 : 0); }
    void ExpectImage(size_t index, SIZE size, const std::function<COLORREF(int, int)>& want) {
        const auto image = images.Image(index);
        ASSERT_TRUE(image.has_value());
        ASSERT_EQ(std::make_pair(image->width, image->height), std::make_pair(int(size.cx), int(size.cy)));
        for (int y = 0; want && y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) ASSERT_EQ(image->Pixel(x, y), want(x, y)) << x << "," << y;
    }
    void ExpectPattern(size_t index, POINT at, SIZE size) {
        ExpectImage(index, size, [&](int x, int y) { return ScreenPattern(at.x + x, at.y + y); });
    }

    PatternWindow pattern{{200, 120, 1000, 760}};
    OwnerWindow owner;
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    std::unique_ptr<RectangleCapture> mode;
    HWND overlay = nullptr;
    int finished = 0;
};

// Up-left under the zoom window, with the cursor toggle: the file holds exactly the pattern and
// the cursor (its hot spot (5, 7) on the release point, the top-left), no mark of the overlay.
TEST_F(RectangleDrive, AnUpLeftDragOutputsThePatternAndExactlyTheCursorsPixels) {
    StringSettingGuard factor(KeyZoomWindowMagnification, L"6");
    ToggleGuard cursorOn(TextCursorToggle, 1);
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(PlaceCursor({300, 200}));
    Start<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    Send(WM_LBUTTONDOWN, {900, 700});
    Send(WM_MOUSEMOVE, {300, 200});
    SetCursor(cursor);
    Send(WM_LBUTTONUP, {300, 200});
    DestroyCursor(cursor);
    ASSERT_EQ(finished, 1);
    ExpectImage(0, {601, 501}, [](int x, int y) {
        return x < 3 && y < 3 ? 0x000000 : x == 5 && y == 5 ? 0xFFFFFF : ScreenPattern(300 + x, 200 + y);
    });
}

// Enter anchors at this capture's cursor, not the last one's; an arrow right before Enter
// counts; Enter's auto-repeats never finish the selection it started.
TEST_F(RectangleDrive, EnterAnchorsAtThisCapturesCursorAndItsRepeatsNeverFinish) {
    ASSERT_TRUE(PlaceCursor({500, 350}));
    Start();
    Key(VK_RETURN);
    Key(VK_RETURN);
    ASSERT_EQ(finished, 1);
    ExpectPattern(0, {500, 350}, {1, 1});
    ASSERT_TRUE(PlaceCursor({530, 370}));
    Again();
    Key(VK_RETURN);
    Key(VK_RETURN, true);
    Key(VK_RETURN, true);
    Key(VK_LEFT);
    Key(VK_UP);
    EXPECT_EQ(finished, 1);
    Key(VK_RETURN);
    ASSERT_EQ(finished, 2);
    ExpectPattern(1, {529, 369}, {2, 2});
}

// Sign-extended and clamped: a release up-left of the screen picks from its corner.
TEST_F(RectangleDrive, AReleaseOffTheSnapshotIsClampedToIt) {
    Start();
    Send(WM_LBUTTONDOWN, {300, 250});
    Send(WM_LBUTTONUP, {-20, -30});
    ASSERT_EQ(finished, 1);
    ExpectImage(0, {301, 251}, nullptr);
}

}  // namespace
}  // namespace Vorlune::Test
