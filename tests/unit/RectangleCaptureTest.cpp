#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

// A user selecting on the real overlay with real input; the result is read from the file.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;

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
    static bool Marked(std::initializer_list<POINT> points) {
        for (POINT p : points)
            if (ScreenPixel(p.x, p.y) != kLine) return false;
        return true;
    }
    // Moves the real cursor and waits until the overlay shows its cross-hair there.
    static bool MoveTo(POINT p) {
        SetCursorPos(p.x, p.y);
        return WaitUntil([&] { return Marked({p, {p.x, p.y / 2}, {p.x / 2, p.y}}); });
    }
    // The same during a drag from anchor: waits for the selection's frame.
    static bool FrameTo(POINT anchor, POINT p) {
        SetCursorPos(p.x, p.y);
        const LONG midX = (anchor.x + p.x) / 2, midY = (anchor.y + p.y) / 2;
        return WaitUntil([&] { return Marked({p, {anchor.x, midY}, {midX, anchor.y}, {p.x, midY}, {midX, p.y}}); });
    }
    // Presses the left button at from and holds it down while moving to to by way of a frame between.
    static bool DragTo(POINT from, POINT to) {
        if (!MoveTo(from)) return false;
        SendMouse({MOUSEEVENTF_LEFTDOWN});
        return FrameTo(from, {(from.x + to.x) / 2, from.y}) && FrameTo(from, to);
    }
    bool WaitFinished(int count = 1) { return WaitUntil([&] { return finished == count; }); }
    void ExpectImage(size_t index, SIZE size, const std::function<COLORREF(int, int)>& want) {
        const auto image = images.Image(index);
        ASSERT_TRUE(image.has_value());
        ASSERT_EQ(std::make_pair(image->width, image->height), std::make_pair(int(size.cx), int(size.cy)));
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) ASSERT_EQ(image->Pixel(x, y), want(x, y)) << x << "," << y;
    }
    void ExpectPattern(size_t index, POINT at, SIZE size) {
        ExpectImage(index, size, [&](int x, int y) { return ScreenPattern(at.x + x, at.y + y); });
    }

    PatternWindow pattern{{200, 120, 1000, 760}};
    OwnerWindow owner;
    ImageFolderGuard images;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
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
    Start<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    ASSERT_TRUE(DragTo({900, 700}, {300, 200}));
    SetCursor(cursor);
    SendMouse({MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(WaitFinished());
    DestroyCursor(cursor);
    ExpectImage(0, {601, 501}, [](int x, int y) {
        return x < 3 && y < 3 ? 0x000000 : x == 5 && y == 5 ? 0xFFFFFF : ScreenPattern(300 + x, 200 + y);
    });
}

TEST_F(RectangleDrive, EnterBeforeAnyMoveAnchorsAtTheCursorOfThisCapture) {
    ASSERT_TRUE(PlaceCursor({500, 350}));
    Start();
    // Sent, so no move message can come first.
    for (WPARAM key : {VK_RETURN, VK_RETURN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
    ASSERT_EQ(finished, 1);
    ExpectPattern(0, {500, 350}, {1, 1});
    ASSERT_TRUE(PlaceCursor({530, 370}));
    Again();
    for (WPARAM key : {VK_RETURN, VK_LEFT, VK_UP, VK_RETURN}) SendMessageW(overlay, WM_KEYDOWN, key, 0);
    ASSERT_EQ(finished, 2);
    ExpectPattern(1, {529, 369}, {2, 2});
    // Typed all at once: each arrow's move message comes after the keys typed behind it.
    Start<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    ASSERT_TRUE(MoveTo({400, 300}));
    TypeKeys({VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitFinished(3));
    ExpectPattern(2, {400, 300}, {4, 3});
}

TEST_F(RectangleDrive, HeldEnterDoesNotFinishTheSelectionItStarted) {
    Start();
    ASSERT_TRUE(MoveTo({420, 310}));
    for (int i = 0; i < 3; ++i) SendKey(VK_RETURN, 0);  // auto-repeat: down, down, down
    // Once the arrow's move is drawn, the repeats were handled: a 2 x 1 frame and no cross-hair.
    TypeKeys({VK_RIGHT});
    auto plain = [](POINT p) { return ScreenPixel(p.x, p.y) == ScreenPattern(p.x, p.y); };
    ASSERT_TRUE(WaitUntil([&] { return Marked({{420, 310}, {421, 310}}) && plain({425, 310}) && plain({420, 315}); }));
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(images.Images().empty());
    SendKey(VK_RETURN, KEYEVENTF_KEYUP);
    TypeKeys({VK_RETURN});
    ASSERT_TRUE(WaitFinished());
    ExpectPattern(0, {420, 310}, {2, 1});
}

TEST_F(RectangleDrive, AReleaseOffTheSnapshotIsClampedToIt) {
    HDC screen = GetDC(nullptr);
    const auto frozen = SurfacePixels(screen, 0, 0, {301, 251});
    ReleaseDC(nullptr, screen);
    Start();
    SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(300, 250));
    SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(-20, -30));
    ASSERT_EQ(finished, 1);
    ExpectImage(0, {301, 251}, [&](int x, int y) {
        const std::uint32_t rgb = frozen[static_cast<size_t>(y) * 301 + x];
        return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
    });
}

}  // namespace
}  // namespace Vorlune::Test
