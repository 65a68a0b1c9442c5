#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"
#include "ui/PendingException.h"

// A user selecting on the real overlay with real input; the result is read from the file.
namespace Vorlune::Test {
namespace {

constexpr RECT kPatternRect = {200, 120, 1000, 760};
constexpr COLORREF kLine = 0xFF00FF;

class RectangleDrive : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }

    template <class Mode>
    void Make(const wchar_t* className) {
        mode.reset();  // one object of a mode at a time: they share its message map
        mode = MakeCaptureMode<Mode>(owner.Handle());
        overlay = FindWindowW(className, nullptr);
    }
    void Begin() {
        mode->Act([this] { ++finished; });
    }
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
    // Presses the left button at from and holds it down while moving to to.
    static bool DragTo(POINT from, POINT to) {
        if (!MoveTo(from)) return false;
        SendMouseButton(MOUSEEVENTF_LEFTDOWN);
        return FrameTo(from, to);
    }
    // The marks are gone: the pixels show the pattern again.
    static bool Unmarked(std::initializer_list<POINT> points) {
        return WaitUntil([&] {
            for (POINT p : points)
                if (ScreenPixel(p.x, p.y) != ScreenPattern(p.x, p.y)) return false;
            return true;
        });
    }
    bool WaitFinished(int count = 1) {
        return WaitUntil([&] { return finished == count; });
    }
    std::vector<std::wstring> Files() const { return images.Images(); }
    // The one image written so far.
    std::optional<Bitmap24> Image(size_t index = 0) const { return images.Image(index); }
    static void ExpectPattern(const std::optional<Bitmap24>& image, POINT at, SIZE size) {
        ASSERT_TRUE(image.has_value());
        ASSERT_EQ(image->width, size.cx);
        ASSERT_EQ(image->height, size.cy);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                ASSERT_EQ(image->Pixel(x, y), ScreenPattern(at.x + x, at.y + y)) << x << "," << y;
    }
    template <class Mode>
    void DragAndExpectThePattern(const wchar_t* className, POINT from, POINT to) {
        Make<Mode>(className);
        Begin();
        ASSERT_TRUE(DragTo(from, {(from.x + to.x) / 2, from.y}));
        ASSERT_TRUE(FrameTo(from, to));
        SendMouseButton(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(WaitFinished());
        EXPECT_FALSE(IsWindowVisible(overlay));
        ExpectPattern(Image(), {std::min(from.x, to.x), std::min(from.y, to.y)},
                      {std::abs(to.x - from.x) + 1, std::abs(to.y - from.y) + 1});
        EXPECT_EQ(Files().size(), 1u);
    }

    PatternWindow pattern{kPatternRect};
    OwnerWindow owner;
    ImageFolderGuard images;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
    ToggleGuard cursorOff{TextCursorToggle, 0};
    std::unique_ptr<RectangleCapture> mode;
    HWND overlay = nullptr;
    int finished = 0;
};

TEST_F(RectangleDrive, DragDownRightOutputsExactlyThePatternWithoutMarks) {
    DragAndExpectThePattern<RectangleCapture>(L"RectangleCapture", {310, 210}, {620, 480});
}

TEST_F(RectangleDrive, DragUpLeftWithTheZoomWindowInsideTheAreaOutputsNoMark) {
    // Ending at the top-left corner puts the zoom window over the picked area.
    StringSettingGuard factor(KeyZoomWindowMagnification, L"6");
    DragAndExpectThePattern<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier", {900, 700}, {300, 200});
}

TEST_F(RectangleDrive, ClickWithoutMovingOutputsOnePixel) {
    Make<RectangleCapture>(L"RectangleCapture");
    Begin();
    ASSERT_TRUE(MoveTo({450, 330}));
    LeftClick();
    ASSERT_TRUE(WaitFinished());
    ASSERT_NO_FATAL_FAILURE(ExpectPattern(Image(), {450, 330}, {1, 1}));
    EXPECT_EQ(ReadBytes(Files()[0]).size(), 58u);
}

TEST_F(RectangleDrive, EnterThreeRightTwoDownEnterPicksFourByThreeAtTheStart) {
    Make<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    Begin();
    ASSERT_TRUE(MoveTo({400, 300}));
    // All at once: each arrow's move message comes after the keys typed behind it.
    TypeKeys({VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitFinished());
    ExpectPattern(Image(), {400, 300}, {4, 3});
}

TEST_F(RectangleDrive, EnterBeforeAnyMoveAnchorsAtTheCursorOfThisCapture) {
    Make<RectangleCapture>(L"RectangleCapture");
    ASSERT_TRUE(PlaceCursor({500, 350}));
    Begin();
    // Sent, so no move message can come first.
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(finished, 1);
    ExpectPattern(Image(0), {500, 350}, {1, 1});

    ASSERT_TRUE(PlaceCursor({530, 370}));
    Begin();
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(overlay, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(finished, 2);
    ExpectPattern(Image(1), {530, 370}, {2, 1});
}

TEST_F(RectangleDrive, HeldEnterDoesNotFinishTheSelectionItStarted) {
    Make<RectangleCapture>(L"RectangleCapture");
    Begin();
    ASSERT_TRUE(MoveTo({420, 310}));
    for (int i = 0; i < 3; ++i) SendKey(VK_RETURN, 0);  // auto-repeat: down, down, down
    // An arrow after them: once its move is drawn, the repeats were handled.
    SendKey(VK_RIGHT, 0);
    SendKey(VK_RIGHT, KEYEVENTF_KEYUP);
    // Selecting: a 2 x 1 frame and no cross-hair.
    ASSERT_TRUE(WaitUntil([&] { return Marked({{420, 310}, {421, 310}}); }));
    EXPECT_TRUE(Unmarked({{425, 310}, {420, 315}}));
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(Files().empty());
    SendKey(VK_RETURN, KEYEVENTF_KEYUP);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFinished());
    ExpectPattern(Image(), {420, 310}, {2, 1});
}

TEST_F(RectangleDrive, EscapeDropsTheDragAndASecondEscapeEndsWithoutOutput) {
    Make<RectangleCapture>(L"RectangleCapture");
    Begin();
    ASSERT_TRUE(DragTo({350, 250}, {520, 400}));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(Unmarked({{350, 250}, {520, 400}, {435, 250}, {350, 325}, {520, 325}, {435, 400}}));
    EXPECT_TRUE(IsWindowVisible(overlay));
    EXPECT_EQ(finished, 0);

    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFinished());
    EXPECT_FALSE(IsWindowVisible(overlay));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpMessages();
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(Files().empty());
}

TEST_F(RectangleDrive, RightButtonDropsTheDragAndTheCaptureGoesOn) {
    Make<RectangleCapture>(L"RectangleCapture");
    Begin();
    ASSERT_TRUE(DragTo({350, 250}, {500, 420}));
    RightClick();
    ASSERT_TRUE(Unmarked({{350, 250}, {425, 250}, {350, 335}}));
    SendMouseButton(MOUSEEVENTF_LEFTUP);  // releasing after the drop picks nothing
    ASSERT_TRUE(MoveTo({501, 420}));
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(IsWindowVisible(overlay));

    ASSERT_TRUE(DragTo({502, 420}, {540, 450}));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitFinished());
    ExpectPattern(Image(), {502, 420}, {39, 31});
    EXPECT_EQ(Files().size(), 1u);
}

TEST_F(RectangleDrive, AReleaseOffTheSnapshotIsClampedToIt) {
    Make<RectangleCapture>(L"RectangleCapture");
    HDC screen = GetDC(nullptr);
    const auto frozen = SurfacePixels(screen, 0, 0, {301, 251});
    ReleaseDC(nullptr, screen);
    Begin();
    SendMessageW(overlay, WM_LBUTTONDOWN, 0, MAKELPARAM(300, 250));
    SendMessageW(overlay, WM_LBUTTONUP, 0, MAKELPARAM(-20, -30));
    ASSERT_EQ(finished, 1);
    const auto image = Image();
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 301);
    ASSERT_EQ(image->height, 251);
    for (int y = 0; y < 251; ++y)
        for (int x = 0; x < 301; ++x) {
            const std::uint32_t rgb = frozen[static_cast<size_t>(y) * 301 + x];
            ASSERT_EQ(image->Pixel(x, y), RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) << x << "," << y;
        }
}

TEST_F(RectangleDrive, CursorToggleAddsExactlyTheCursorsPixels) {
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    std::vector<Bitmap24> shots;
    for (int toggle : {0, 1}) {
        SCOPED_TRACE(toggle);
        ToggleGuard capture(TextCursorToggle, toggle);
        Make<RectangleCapture>(L"RectangleCapture");
        Begin();
        ASSERT_TRUE(DragTo({700, 500}, {600, 420}));
        SetCursor(cursor);
        SendMouseButton(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(WaitFinished(toggle + 1)) << finished << " pending " << HasPendingException();
        const auto image = Image(static_cast<size_t>(toggle));
        ASSERT_TRUE(image.has_value());
        shots.push_back(*image);
    }
    ExpectPattern(shots[0], {600, 420}, {101, 81});
    // The hot spot (5, 7) lands on the release point, the top-left pixel.
    ASSERT_EQ(shots[1].width, 101);
    ASSERT_EQ(shots[1].height, 81);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 101; ++x) {
            const bool black = x < 3 && y < 3;
            const bool white = x == 5 && y == 5;
            const COLORREF want = black ? 0x000000 : white ? 0xFFFFFF : shots[0].Pixel(x, y);
            ASSERT_EQ(shots[1].Pixel(x, y), want) << x << "," << y;
        }
    DestroyCursor(cursor);
}

}  // namespace
}  // namespace Vorlune::Test
