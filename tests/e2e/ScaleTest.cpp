// The real toolbar at the common display scales. Wine reads LogPixels as a program starts and
// keeps its font cache for the last scale, so 96 DPI comes last.
#include <gtest/gtest.h>

#include "Capture/ImageFileNamer.h"
#include "GlimraApp.h"
#include "Output.h"
#include "RegistryGuard.h"
#include "Screen.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"
#include "resources/resource.h"
#include "ui/Geometry.h"

namespace Vorlune::Test {
namespace {

class AtScale : public testing::TestWithParam<DWORD> {
protected:
    int Dpi() const { return static_cast<int>(GetParam()); }
    // Started at the scale, with the cursor toggle on, so the desktop command shows its overlay.
    bool Start() {
        app.dpi = Dpi();
        return app.Start(L"[Gui]\r\n13=1\r\n");
    }
    POINT ScreenCentre(const Rect& client) const {
        const RECT toolbar = app.WindowRect();
        return {toolbar.left + (client.left + client.right) / 2, toolbar.top + (client.top + client.bottom) / 2};
    }

    LogPixelsGuard scale{GetParam()};
    GlimraApp app;
};

TEST_P(AtScale, TheToolbarHasTheSizeOfItsDpi) {
    ASSERT_TRUE(Start());
    const SIZE size = SizeOf(app.WindowRect());
    EXPECT_EQ(size.cx, Scaled(230, Dpi()));
    EXPECT_EQ(size.cy, Scaled(89, Dpi()));
    EXPECT_EQ(app.Close(), 0u);
}

TEST_P(AtScale, TheCentreOfEachCommandButtonStartsItsCommand) {
    ASSERT_TRUE(Start());
    const wchar_t* overlays[] = {L"RectangleCapture", L"WindowCaptureTop", L"HiddenWindowCaptureTop",
                                 L"DesktopCapture"};
    for (int button = 0; button < 4; ++button) {
        app.Click(button, true);
        HWND overlay = app.WaitOverlay(overlays[button]);
        ASSERT_NE(overlay, nullptr) << button;
        PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(app.ToolbarBack()) << button;
    }
    HWND dialog = app.OpenSettings(true);
    ASSERT_NE(dialog, nullptr);
    Press(dialog, IDC_SETTINGS_CANCEL);
    ASSERT_TRUE(app.ToolbarBack());
    EXPECT_EQ(app.Close(), 0u);
}

TEST_P(AtScale, ARectangleCaptureHoldsTheScreensPixels) {
    const RECT dragged = {650, 350, 751, 421};
    PatternWindow pattern({600, 300, 1000, 600});
    ASSERT_TRUE(pattern.Shown());
    app.dpi = Dpi();
    ASSERT_TRUE(app.Start(L"[Settings]\r\nClipBoard=2\r\n[Gui]\r\n13=0\r\n"));
    app.Click(0, true);
    ASSERT_NE(app.WaitOverlay(L"RectangleCapture"), nullptr);
    RealDrag(dragged);
    const std::wstring file = app.TodaysFolder() + ImageFileName(1);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(file) && IsWindowVisible(app.Window()); }));
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(file), dragged));
    EXPECT_EQ(app.Close(), 0u);
}

// The zoom window's red frame, right and bottom inside, 50 at 96 DPI right of and below the cursor.
TEST_P(AtScale, TheZoomWindowHasTheSizeOfItsDpi) {
    app.dpi = Dpi();
    ASSERT_TRUE(app.Start(L"[Gui]\r\n5=1\r\n13=0\r\n"));
    app.Click(0, true);
    HWND overlay = app.WaitOverlay(L"RectangleCaptureWithMagnifier");
    ASSERT_NE(overlay, nullptr);
    const POINT cursor = {500, 350};
    Input(0, cursor);
    const POINT corner = {cursor.x + Scaled(50, Dpi()), cursor.y + Scaled(50, Dpi())};
    const int side = Scaled(300, Dpi()) + 1;
    // Sent on until drawn: a move to where the click was can reach the overlay after every move
    // to the cursor (seen once in 40 runs: the marks drawn at the click, the cursor here), where a
    // hand would simply move on.
    EXPECT_TRUE(WaitUntil([&] {
        SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
        return ScreenRun(corner, 0x0000FF, Towards::Right) == side &&
               ScreenRun(corner, 0x0000FF, Towards::Down) == side;
    }));
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(app.ToolbarBack());
    EXPECT_EQ(app.Close(), 0u);
}

// One line of the hint's face at the DPI, and the frame's pixel below it.
TEST_P(AtScale, TheHintIsWrittenInTheFontOfItsDpi) {
    ASSERT_TRUE(Start());
    Input(0, ScreenCentre(LayOutToolbar(Dpi()).clientArea.commands[0]));
    HWND hint = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        hint = app.Proc().FindWindowOf(L"MySimpleTooltip");
        return hint != nullptr && IsWindowVisible(hint);
    }));
    EXPECT_EQ(SizeOf(WindowRect(hint)).cy, Scaled(22, Dpi()) + 1);
    EXPECT_EQ(app.Close(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Scales, AtScale, testing::Values(120, 144, 192, 96));

}  // namespace
}  // namespace Vorlune::Test
