#include <gtest/gtest.h>

#include <stdexcept>

#include "Capture/DesktopCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "SettingGuard.h"
#include "Wait.h"

namespace Vorlune::Test {
namespace {

constexpr COLORREF kMarkerColour = 0x0000FF;  // auxiliary line colour 9
constexpr COLORREF kColour = 0x30A050;

class Desktop : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WaitUntil([] { return ScreenPixel(210, 160) == kColour; })); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    void Begin() {
        mode->Act([this] { ++finished; });
    }
    bool WaitFinished(int count) {
        return WaitUntil([&] { return finished == count; });
    }
    // The index-th image: the whole virtual screen.
    Bitmap24 Image(size_t index) {
        const auto image = folder.Image(index);
        EXPECT_TRUE(image.has_value());
        if (!image) return {};
        EXPECT_EQ(image->width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_EQ(image->height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
        return *image;
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
    std::unique_ptr<ColourWindow> window = std::make_unique<ColourWindow>(RECT{200, 150, 260, 210}, kColour);
    std::unique_ptr<DesktopCapture> mode = MakeCaptureMode<DesktopCapture>(owner.Handle());
    HWND overlay = FindWindowW(L"DesktopCapture", nullptr);
    int finished = 0;
};

// The test cursor: black 3 x 3 from the hot spot, white at (5, 5) from it.
bool CursorPaintedAt(const Bitmap24& image, POINT at) {
    for (int y = at.y; y < at.y + 3; ++y)
        for (int x = at.x; x < at.x + 3; ++x)
            if (image.Pixel(x, y) != 0x000000) return false;
    return image.Pixel(at.x + 5, at.y + 5) == 0xFFFFFF;
}

TEST_F(Desktop, WithoutCursorToggleSavesInsideActAndAFailedWriteStillEndsTheCaptureOnce) {
    ToggleGuard cursorOff(TextCursorToggle, 0);
    {
        // A file where the image folder should be: no image can be written below it.
        const std::wstring blocked = folder.Path() + L"blocked";
        WriteBytes(blocked, {1, 2, 3});
        StringSettingGuard saveFolder(KeySaveFolder, blocked);
        EXPECT_THROW(Begin(), std::runtime_error);
        EXPECT_EQ(finished, 1);
        EXPECT_FALSE(IsWindowVisible(overlay));
    }
    Begin();
    EXPECT_EQ(finished, 2);
    EXPECT_FALSE(IsWindowVisible(overlay));
    ASSERT_EQ(folder.Images().size(), 1u);
    const Bitmap24 image = Image(0);
    EXPECT_EQ(image.Pixel(200, 150), kColour);
    EXPECT_EQ(image.Pixel(259, 209), kColour);
    EXPECT_NE(image.Pixel(199, 150), kColour);
    EXPECT_NE(image.Pixel(260, 209), kColour);
}

// With the cursor toggle the screen is frozen until a click or Enter; the right button does
// nothing and Escape writes nothing.
TEST_F(Desktop, WithCursorToggleTheFrozenScreenWaitsForAClickAndEscapeWritesNothing) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    Begin();
    ASSERT_TRUE(IsWindowVisible(overlay));
    EXPECT_EQ(GetForegroundWindow(), overlay);
    window.reset();  // the live screen changes after the freeze
    AimAt({500, 400});
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(folder.Images().empty());
    LeftClick();
    ASSERT_TRUE(WaitFinished(1));
    EXPECT_FALSE(IsWindowVisible(overlay));
    const Bitmap24 image = Image(0);
    EXPECT_EQ(image.Pixel(210, 160), kColour);
    for (int y = 397; y <= 403; ++y) EXPECT_NE(image.Pixel(470, y), kMarkerColour) << "the aim is shown, never saved";

    Begin();
    AimAt({520, 420});
    RightClick();
    PressKey(VK_ESCAPE);  // handled in order: the right click was seen before
    ASSERT_TRUE(WaitFinished(2));
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_EQ(folder.Images().size(), 1u);
}

// Painted where the button was released, or where the arrow keys put it before Enter; where
// it was at the freeze there is only the window under it.
TEST_F(Desktop, CursorIsPaintedWhereTheCaptureEnds) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    HCURSOR cursor = MakeTestCursor();
    ASSERT_NE(cursor, nullptr);
    {
        CurrentCursor current(cursor, 300, 250);
        ASSERT_TRUE(current.Ready());
        Begin();
        AimAt({700, 500});
        SetCursor(cursor);
        LeftClick();
        ASSERT_TRUE(WaitFinished(1));
    }
    Begin();
    AimAt({600, 400});
    PressKey(VK_RIGHT);
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == 601 && now.y == 401;
    }));
    EXPECT_EQ(finished, 1);
    SetCursor(cursor);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFinished(2));
    DestroyCursor(cursor);
    const Bitmap24 released = Image(0);
    EXPECT_TRUE(CursorPaintedAt(released, {700, 500}));
    for (POINT at : {POINT{300, 250}, {302, 252}, {305, 255}}) EXPECT_EQ(released.Pixel(at.x, at.y), 0x808080u);
    EXPECT_TRUE(CursorPaintedAt(Image(1), {601, 401}));
}

}  // namespace
}  // namespace Vorlune::Test
