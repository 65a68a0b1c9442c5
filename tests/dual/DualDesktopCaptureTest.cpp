#include <gtest/gtest.h>

#include "Capture/DesktopCapture.h"
#include "CaptureProbe.h"
#include "ImageFiles.h"
#include "SettingGuard.h"
#include "Wait.h"

namespace Vorlune::Test {
namespace {

TEST(DualDesktop, SavesBothMonitorsLeftOneFirst) {
    ASSERT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1920);
    ImageFolderGuard folder;
    ToggleGuard cursorOff{TextCursorToggle, 0};
    constexpr COLORREF kLeft = 0x2080E0;
    constexpr COLORREF kPrimary = 0xE08020;
    ColourWindow left({-1920, 0, -1860, 60}, kLeft);
    ColourWindow primary({0, 0, 60, 60}, kPrimary);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel(-1915, 5) == kLeft && ScreenPixel(5, 5) == kPrimary; }));

    OwnerWindow owner;
    auto mode = MakeCaptureMode<DesktopCapture>(owner.Handle());
    int finished = 0;
    mode->Act([&] { ++finished; });
    EXPECT_EQ(finished, 1);

    const auto images = folder.Images();
    ASSERT_EQ(images.size(), 1u);
    const Bitmap24 image = ReadBitmap24(images[0]);
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.width, 3840);
    EXPECT_EQ(image.height, 1080);
    EXPECT_EQ(image.Pixel(0, 0), kLeft);
    EXPECT_EQ(image.Pixel(59, 59), kLeft);
    EXPECT_EQ(image.Pixel(1920, 0), kPrimary);
    EXPECT_EQ(image.Pixel(1979, 59), kPrimary);
    EXPECT_NE(image.Pixel(1920, 0), kLeft);
}

}  // namespace
}  // namespace Vorlune::Test
