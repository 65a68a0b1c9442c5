// The real program with the mark-up toggle, driven by real input.
#include <gtest/gtest.h>

#include <string>

#include "Capture/ImageFileNamer.h"
#include "GlimraApp.h"
#include "Output.h"
#include "Screen.h"
#include "core/Dpi.h"
#include "core/ToolStripLayout.h"
#include "ui/Geometry.h"

namespace Vorlune::Test {
namespace {

constexpr RECT kPicture = {600, 300, 1000, 600};
constexpr RECT kDragged = {650, 350, 751, 421};

// F, or the strip's last button, pins the image where it was picked and closes the window;
// nothing is written.
class PinFromMarkUp : public testing::TestWithParam<bool> {};

TEST_P(PinFromMarkUp, ShowsTheImageWhereItWasPickedAndWritesNothing) {
    PatternWindow pattern(kPicture);
    ASSERT_TRUE(pattern.Shown());
    GlimraApp app;
    ASSERT_TRUE(app.Start(L"[Settings]\r\nClipBoard=2\r\n[Gui]\r\n" + std::to_wstring(TextMarkUpToggle) + L"=1"));
    app.Click(0, true);
    ASSERT_NE(app.WaitOverlay(L"RectangleCapture"), nullptr);
    RealDrag(kDragged);
    HWND markUp = app.WaitOverlay(L"MarkUpWindow");
    ASSERT_NE(markUp, nullptr);
    ShowWindow(pattern.Handle(), SW_HIDE);  // picked already; from now on only the pin can show it
    if (GetParam()) {
        const Rect button = LayOutToolStrip(kBaseDpi, 0).pin;
        POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        ClientToScreen(markUp, &centre);
        RealClick(centre);
    } else {
        PressKey('F');
    }
    HWND pin = app.Proc().WaitWindow(L"GlimraPin");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(pin) && IsWindowVisible(app.Window()); }));
    EXPECT_TRUE(WaitUntil([&] { return app.Proc().FindWindowOf(L"MarkUpWindow") == nullptr; }));
    const Rect outlined = {kDragged.left - 1, kDragged.top - 1, kDragged.right + 1, kDragged.bottom + 1};
    EXPECT_EQ(ToCore(WindowRect(pin)), outlined);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(700, 400) == ScreenPattern(700, 400); }));
    EXPECT_FALSE(FileExists(app.TodaysFolder() + ImageFileName(1)));
    EXPECT_EQ(app.Close(), 0u);
}

INSTANTIATE_TEST_SUITE_P(ByKeyAndByButton, PinFromMarkUp, testing::Bool());

}  // namespace
}  // namespace Vorlune::Test
