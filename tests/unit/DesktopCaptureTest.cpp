#include <gtest/gtest.h>

#include <stdexcept>

#include "Capture/DesktopCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "SettingGuard.h"
#include "Wait.h"

namespace Vorlune::Test {
namespace {

constexpr TextId kCursorToggle = TextCursorToggle;
constexpr COLORREF kMarkerColour = 0x0000FF;  // auxiliary line colour 9

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        mode = MakeCaptureMode<DesktopCapture>(owner.Handle());
        overlay = FindWindowW(L"DesktopCapture", nullptr);
    }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    void Begin() {
        mode->Act([this] { ++finished; });
    }
    Bitmap24 OnlyImage() const {
        const auto images = folder.Images();
        EXPECT_EQ(images.size(), 1u);
        return images.empty() ? Bitmap24{} : ReadBitmap24(images[0]);
    }
    // Moves the real cursor over the overlay and waits until the marker circle is on screen.
    void AimAt(POINT point) {
        SetCursorPos(point.x, point.y);
        ASSERT_TRUE(WaitUntil([&] {
            UpdateWindow(overlay);
            for (int y = point.y - 3; y <= point.y + 3; ++y)
                if (ScreenPixel(point.x - 30, y) == kMarkerColour) return true;
            return false;
        }));
    }

    ImageFolderGuard folder;
    SettingGuard lineColour{SectionSettings, KeyAuxiliaryLineColor, 9};
    OwnerWindow owner;
    std::unique_ptr<DesktopCapture> mode;
    HWND overlay = nullptr;
    int finished = 0;
};

bool IsBlackSquareAt(const Bitmap24& image, POINT at) {
    for (int y = at.y; y < at.y + 3; ++y)
        for (int x = at.x; x < at.x + 3; ++x)
            if (image.Pixel(x, y) != 0x000000) return false;
    return image.Pixel(at.x + 5, at.y + 5) == 0xFFFFFF;
}

TEST_F(Desktop, WithoutCursorToggleSavesTheWholeScreenInsideAct) {
    ToggleGuard cursorOff(kCursorToggle, 0);
    constexpr COLORREF kColour = 0x30A050;
    ColourWindow marker({200, 150, 260, 210}, kColour);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kColour; }));

    Begin();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(IsWindowVisible(overlay));
    const Bitmap24 image = OnlyImage();
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(image.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(image.Pixel(200, 150), kColour);
    EXPECT_EQ(image.Pixel(259, 209), kColour);
    EXPECT_NE(image.Pixel(199, 150), kColour);
    EXPECT_NE(image.Pixel(260, 209), kColour);
}

TEST_F(Desktop, WithCursorToggleTheFrozenScreenWaitsForAClick) {
    ToggleGuard cursorOn(kCursorToggle, 1);
    constexpr COLORREF kBefore = 0x30A050;
    auto before = std::make_unique<ColourWindow>(RECT{200, 150, 260, 210}, kBefore);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kBefore; }));

    Begin();
    ASSERT_TRUE(IsWindowVisible(overlay));
    EXPECT_EQ(GetForegroundWindow(), overlay);
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(folder.Images().empty());

    // The live screen changes after the freeze.
    before.reset();
    AimAt({500, 400});
    EXPECT_EQ(finished, 0);
    LeftClick();
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }));
    EXPECT_FALSE(IsWindowVisible(overlay));

    const Bitmap24 image = OnlyImage();
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(image.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(image.Pixel(210, 160), kBefore);
    // The aiming circle is shown, never saved.
    for (int y = 397; y <= 403; ++y) EXPECT_NE(image.Pixel(470, y), kMarkerColour);
}

TEST_F(Desktop, CursorIsPaintedWhereTheButtonWasReleased) {
    ToggleGuard cursorOn(kCursorToggle, 1);
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    {
        CurrentCursor current(cursor, 300, 250);
        ASSERT_TRUE(current.Ready());
        Begin();
        AimAt({700, 500});
        SetCursor(cursor);
        LeftClick();
        ASSERT_TRUE(WaitUntil([&] { return finished == 1; }));
    }
    DestroyCursor(cursor);
    const Bitmap24 image = OnlyImage();
    ASSERT_TRUE(image.Valid());
    EXPECT_TRUE(IsBlackSquareAt(image, {700, 500}));
    // Where it was when the screen was frozen there is only the window under it.
    for (POINT at : {POINT{300, 250}, POINT{302, 252}, POINT{305, 255}}) EXPECT_EQ(image.Pixel(at.x, at.y), 0x808080u);
}

TEST_F(Desktop, EnterFinishesWithTheCursorWhereTheArrowKeysPutIt) {
    ToggleGuard cursorOn(kCursorToggle, 1);
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    Begin();
    AimAt({600, 400});
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == 601 && now.y == 401;
    }));
    EXPECT_EQ(finished, 0);
    SetCursor(cursor);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }));
    DestroyCursor(cursor);
    const Bitmap24 image = OnlyImage();
    ASSERT_TRUE(image.Valid());
    EXPECT_TRUE(IsBlackSquareAt(image, {601, 401}));
}

TEST_F(Desktop, EscapeWritesNothingAndRightClickDoesNothing) {
    ToggleGuard cursorOn(kCursorToggle, 1);
    Begin();
    AimAt({500, 400});
    RightClick();
    // Input is handled in order: once Escape has ended the capture, the right click was seen.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }));
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_TRUE(folder.Images().empty());

    // A later capture works as the first.
    Begin();
    AimAt({520, 420});
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return finished == 2; }));
    EXPECT_EQ(folder.Images().size(), 1u);
}

TEST_F(Desktop, FailedWriteStillEndsTheCaptureOnce) {
    ToggleGuard cursorOff(kCursorToggle, 0);
    // A file where the image folder should be: no image can be written below it.
    const std::wstring blocked = folder.Path() + L"blocked";
    WriteBytes(blocked, {1, 2, 3});
    StringSettingGuard saveFolder(KeySaveFolder, blocked);
    EXPECT_THROW(Begin(), std::runtime_error);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_TRUE(folder.Images().empty());
}

}  // namespace
}  // namespace Vorlune::Test
