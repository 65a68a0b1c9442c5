#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "Capture/CaptureOutput.h"
#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

// Repainting only what changed must show exactly what repainting everything shows.
namespace Vorlune::Test {
namespace {

struct Step {
    UINT message;
    POINT point;
    WPARAM key = 0;
};

// A DC over a bitmap of the snapshot's size and kind.
class Surface {
public:
    explicit Surface(SIZE size) : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateDib24(size.cx, size.cy)) {
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_ = nullptr;
};

std::string Difference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, LONG width) {
    if (a.size() != b.size()) return "sizes differ";
    size_t count = 0, first = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && count++ == 0) first = i;
    if (count == 0) return "";
    std::ostringstream text;
    text << count << " pixels differ, first at " << first % width << "," << first / width;
    return text.str();
}

std::vector<Step> Path(SIZE s) {
    const LONG r = s.cx - 1, b = s.cy - 1;
    std::vector<Step> steps;
    auto move = [&](LONG x, LONG y) { steps.push_back({WM_MOUSEMOVE, {x, y}}); };
    // Corners and edges.
    for (POINT p : {POINT{960, 540}, {0, 0}, {r, 0}, {r, b}, {0, b}, {s.cx / 2, 0}, {r, s.cy / 2}, {5, b - 2}, {1, 1}})
        move(p.x, p.y);
    // The zoom window's flips, both ways on both axes.
    for (POINT p : {POINT{r - 350, 400}, {r - 349, 400}, {800, 400}, {351, 400}, {350, 400}, {500, b - 350},
                    {500, b - 349}, {500, 351}, {500, 350}})
        move(p.x, p.y);
    // A drag through every direction and into the corners, then dropped by Escape.
    steps.push_back({WM_LBUTTONDOWN, {600, 500}});
    for (POINT p : {POINT{900, 700}, {300, 200}, {0, 0}, {r, b}, {600, 500}, {610, 400}, {0, b}, {r, 0}}) move(p.x, p.y);
    steps.push_back({WM_KEYDOWN, {}, VK_ESCAPE});
    move(620, 410);
    // Another dropped by the right button.
    steps.push_back({WM_LBUTTONDOWN, {100, 100}});
    move(r, 50);
    steps.push_back({WM_RBUTTONUP, {r, 50}});
    move(101, 101);
    // A keyboard anchor; a press meanwhile starts nothing.
    steps.push_back({WM_KEYDOWN, {}, VK_RETURN});
    move(200, 900);
    steps.push_back({WM_LBUTTONDOWN, {200, 900}});
    move(r, b);
    move(3, 3);
    steps.push_back({WM_KEYDOWN, {}, VK_ESCAPE});
    move(400, 300);
    return steps;
}

class RectangleRepaint : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }

    template <class Mode>
    void Replay() {
        auto mode = MakeCaptureMode<Mode>(owner.Handle());
        int finished = 0;
        mode->Act([&] { ++finished; });
        HWND overlay = mode->Overlay();
        const ScreenSnapshot& snapshot = *mode->Snapshot();
        const SIZE size = snapshot.size;
        Surface whole(size);
        int index = 0;
        for (const Step& step : Path(size)) {
            SCOPED_TRACE(testing::Message() << "step " << index++ << " at " << step.point.x << "," << step.point.y);
            if (step.message == WM_KEYDOWN)
                SendMessageW(overlay, WM_KEYDOWN, step.key, 0);
            else
                SendMessageW(overlay, step.message, 0, MAKELPARAM(step.point.x, step.point.y));
            UpdateWindow(overlay);
            mode->RenderWholeFrame(whole.Dc());
            const auto work = SurfacePixels(snapshot.workDC, 0, 0, size);
            ASSERT_EQ(Difference(work, SurfacePixels(whole.Dc(), 0, 0, size), size.cx), "");
            // And the window shows it: every rectangle that changed was repainted.
            std::string onScreen;
            const bool shown = WaitUntil(
                [&] {
                    HDC screen = GetDC(nullptr);
                    onScreen = Difference(work, SurfacePixels(screen, 0, 0, size), size.cx);
                    ReleaseDC(nullptr, screen);
                    return onScreen.empty();
                },
                3s);
            ASSERT_TRUE(shown) << onScreen;
        }
        EXPECT_EQ(finished, 0);
        SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(finished, 1);
    }

    PatternWindow pattern{{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
    OwnerWindow owner;
    SettingGuard colour{SectionSettings, KeyAuxiliaryLineColor, 11};
};

TEST_F(RectangleRepaint, PlainWithCursorCircleMatchesAWholeRepaint) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard crossHair(SectionSettings, KeyAlwaysAuxiliaryLine, 0);
    Replay<RectangleCapture>();
}

TEST_F(RectangleRepaint, MagnifierWithCursorCircleMatchesAWholeRepaint) {
    ToggleGuard cursorOn(TextCursorToggle, 1);
    SettingGuard crossHair(SectionSettings, KeyAlwaysAuxiliaryLine, 1);
    StringSettingGuard factor(KeyZoomWindowMagnification, L"2");
    Replay<RectangleCaptureWithMagnifier>();
}

TEST_F(RectangleRepaint, MagnifierWithoutCursorCircleMatchesAWholeRepaint) {
    ToggleGuard cursorOff(TextCursorToggle, 0);
    SettingGuard crossHair(SectionSettings, KeyAlwaysAuxiliaryLine, 0);
    StringSettingGuard factor(KeyZoomWindowMagnification, L"10");
    Replay<RectangleCaptureWithMagnifier>();
}

}  // namespace
}  // namespace Vorlune::Test
