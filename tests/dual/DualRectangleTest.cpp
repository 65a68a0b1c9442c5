#include <gtest/gtest.h>

#include <memory>

#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "DualModeTest.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

namespace Vorlune::Test {
namespace {

class DualRectangle : public DualModeTest<RectangleCaptureWithMagnifier> {
protected:
    void SetUp() override {
        ASSERT_TRUE(pattern.Shown());
        DualModeTest::SetUp();
    }
    bool MoveTo(POINT screen) {
        SetCursorPos(screen.x, screen.y);
        // Input is handled in order; the wait only keeps the move ahead of the buttons.
        return PlaceCursor(screen);
    }
    PatternWindow pattern{{-400, 100, 400, 600}};
    ImageFolderGuard images;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    int finished = 0;
};

TEST_F(DualRectangle, DragAcrossBothMonitorsAndEnterLeftOfTheOrigin) {
    mode->Act([this] { ++finished; });
    ASSERT_TRUE(MoveTo({-250, 150}));
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpMessages();
    ASSERT_TRUE(MoveTo({250, 450}));
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }));
    auto image = images.Image(0);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 501);
    ASSERT_EQ(image->height, 301);
    for (int y = 0; y < 301; ++y)
        for (int x = 0; x < 501; ++x) ASSERT_EQ(image->Pixel(x, y), ScreenPattern(-250 + x, 150 + y)) << x << "," << y;

    // Enter before any move: the anchor is the cursor's place on the left monitor.
    ASSERT_TRUE(PlaceCursor({-100, 300}));
    mode->Act([this] { ++finished; });
    HWND overlay = FindWindowW(L"RectangleCaptureWithMagnifier", nullptr);
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(overlay, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(finished, 2);
    image = images.Image(1);
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 1);
    EXPECT_EQ(image->Pixel(0, 0), ScreenPattern(-100, 300));
}

}  // namespace
}  // namespace Vorlune::Test
