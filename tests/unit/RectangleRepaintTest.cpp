#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "Capture/Dib.h"
#include "Capture/RectangleCapture.h"
#include "Capture/RectangleGeometry.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

// Repainting only what changed must show exactly the frozen screen plus the current marks.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;

struct Step {
    UINT message;
    POINT point;
    WPARAM key = 0;
};

std::vector<Step> Path(SIZE s) {
    const LONG r = s.cx - 1, b = s.cy - 1;
    std::vector<Step> steps;
    auto move = [&](LONG x, LONG y) { steps.push_back({WM_MOUSEMOVE, {x, y}}); };
    // Corners and edges; the first puts the zoom window right of and below the cursor.
    for (POINT p : {POINT{0, 0}, {960, 540}, {r, 0}, {r, b}, {0, b}, {s.cx / 2, 0}, {r, s.cy / 2}, {5, b - 2}, {1, 1}})
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

// What the user must see after each step: the overlay's state as the user drives it.
class Expected {
public:
    Expected(SIZE size, bool circle, bool always, int magnification)
        : size_(size), dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateDib24(size.cx, size.cy)) {
        SelectObject(dc_, bitmap_);
        frame_.cursorCircle = circle;
        frame_.colour = kLine;
        frame_.magnification = magnification;
        always_ = always;
    }
    ~Expected() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    void Apply(const Step& step) {
        const bool drop = (step.message == WM_KEYDOWN && step.key == VK_ESCAPE) || step.message == WM_RBUTTONUP;
        if (drop && frame_.selecting) {
            frame_.selecting = keyboard_ = false;
            marked_ = false;  // the work surface is the frozen image again until the next move
            return;
        }
        if (step.message == WM_MOUSEMOVE) frame_.point = step.point;
        if (step.message == WM_LBUTTONDOWN && !keyboard_) {
            frame_.selecting = true;
            frame_.anchor = frame_.point = step.point;
        }
        if (step.message == WM_KEYDOWN && step.key == VK_RETURN) {
            frame_.selecting = keyboard_ = true;
            frame_.anchor = frame_.point;
        }
        frame_.crossHair = !frame_.selecting || always_;
        if (frame_.magnification > 0) frame_.zoom = zoom_.Place(frame_.point, size_);
        marked_ = true;
    }
    std::vector<std::uint32_t> Pixels(const std::vector<std::uint32_t>& frozen) {
        const BITMAPINFO info = DibInfo(size_.cx, -size_.cy, 32);
        SetDIBitsToDevice(dc_, 0, 0, size_.cx, size_.cy, 0, 0, 0, size_.cy, frozen.data(), &info, DIB_RGB_COLORS);
        if (marked_) painter_.Paint(dc_, size_, frame_);
        return SurfacePixels(dc_, 0, 0, size_);
    }

private:
    SIZE size_;
    HDC dc_;
    HBITMAP bitmap_;
    RectangleFrame frame_;
    RectangleFramePainter painter_;
    ZoomPlacement zoom_;
    bool always_ = false;
    bool keyboard_ = false;
    bool marked_ = false;
};

std::string Difference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b, LONG width) {
    size_t count = 0, first = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i] && count++ == 0) first = i;
    if (count == 0 && a.size() == b.size()) return "";
    std::ostringstream text;
    text << count << " pixels differ, first at " << first % width << "," << first / width;
    return text.str();
}

template <class Mode>
void Replay(const wchar_t* className, bool circle, bool always, const wchar_t* factor) {
    const SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    PatternWindow pattern{{0, 0, size.cx, size.cy}};
    ASSERT_TRUE(pattern.Shown());
    OwnerWindow owner;
    SettingGuard colour{SectionSettings, KeyAuxiliaryLineColor, 13};
    ToggleGuard cursor(TextCursorToggle, circle ? 1 : 0);
    SettingGuard crossHair(SectionSettings, KeyAlwaysAuxiliaryLine, always ? 1 : 0);
    StringSettingGuard zoom(KeyZoomWindowMagnification, factor);
    HDC screen = GetDC(nullptr);
    const std::vector<std::uint32_t> frozen = SurfacePixels(screen, 0, 0, size);
    ReleaseDC(nullptr, screen);

    auto mode = MakeCaptureMode<Mode>(owner.Handle());
    int finished = 0;
    mode->Act([&] { ++finished; });
    HWND overlay = FindWindowW(className, nullptr);
    Expected expected(size, circle, always, std::is_same_v<Mode, RectangleCapture> ? 0 : ParseMagnification(factor));
    int index = 0;
    for (const Step& step : Path(size)) {
        SCOPED_TRACE(testing::Message() << "step " << index++ << " at " << step.point.x << "," << step.point.y);
        if (step.message == WM_KEYDOWN)
            SendMessageW(overlay, WM_KEYDOWN, step.key, 0);
        else
            SendMessageW(overlay, step.message, 0, MAKELPARAM(step.point.x, step.point.y));
        expected.Apply(step);
        ASSERT_EQ(Difference(ShownPixels(overlay, size), expected.Pixels(frozen), size.cx), "");
    }
    EXPECT_EQ(finished, 0);
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(finished, 1);
}

TEST(RectangleRepaint, PlainWithCursorCircle) { Replay<RectangleCapture>(L"RectangleCapture", true, false, L"10"); }

TEST(RectangleRepaint, MagnifierWithCrossHairAlwaysAndFactorTwo) {
    Replay<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier", false, true, L"2");
}

}  // namespace
}  // namespace Vorlune::Test
