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

// Repainting only what changed must show exactly the frozen screen plus the current marks.
namespace Vorlune::Test {
namespace {

struct Step {
    UINT message;
    POINT point;
    WPARAM key = 0;
};

std::vector<Step> Path(SIZE s) {
    const LONG r = s.cx - 1, b = s.cy - 1;
    std::vector<Step> steps;
    auto moves = [&](std::initializer_list<POINT> points) {
        for (POINT p : points) steps.push_back({WM_MOUSEMOVE, p});
    };
    // Corners and edges (the first puts the zoom window right of and below the cursor), then
    // the zoom window's flips, both ways on both axes.
    moves({{0, 0}, {960, 540}, {r, 0}, {r, b}, {0, b}, {s.cx / 2, 0}, {r, s.cy / 2}, {5, b - 2}, {1, 1}});
    moves({{r - 350, 400}, {r - 349, 400}, {800, 400}, {351, 400}, {350, 400}, {500, b - 350}, {500, b - 349},
           {500, 351}, {500, 350}});
    // A drag through every direction and into the corners, dropped by Escape; another dropped
    // by the right button; a keyboard anchor, during which a press starts nothing.
    steps.push_back({WM_LBUTTONDOWN, {600, 500}});
    moves({{900, 700}, {300, 200}, {0, 0}, {r, b}, {600, 500}, {610, 400}, {0, b}, {r, 0}});
    steps.push_back({WM_KEYDOWN, {}, VK_ESCAPE});
    moves({{620, 410}});
    steps.push_back({WM_LBUTTONDOWN, {100, 100}});
    moves({{r, 50}});
    steps.push_back({WM_RBUTTONUP, {r, 50}});
    moves({{101, 101}});
    steps.push_back({WM_KEYDOWN, {}, VK_RETURN});
    moves({{200, 900}});
    steps.push_back({WM_LBUTTONDOWN, {200, 900}});
    moves({{r, b}, {3, 3}});
    steps.push_back({WM_KEYDOWN, {}, VK_ESCAPE});
    moves({{400, 300}});
    return steps;
}

// The overlay's state as the user drives it, painted over the frozen screen.
struct Expected {
    Expected(SIZE size, bool circle, bool always, int magnification) : size(size), always(always) {
        SelectObject(dc, bitmap);
        frame.cursorCircle = circle;
        frame.colour = 0xFF00FF;
        frame.magnification = magnification;
    }
    ~Expected() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    void Apply(const Step& step) {
        const bool drop = (step.message == WM_KEYDOWN && step.key == VK_ESCAPE) || step.message == WM_RBUTTONUP;
        if (drop && frame.selecting) {
            frame.selecting = keyboard = marked = false;  // the frozen image again until the next move
            return;
        }
        if (step.message == WM_MOUSEMOVE) frame.point = step.point;
        if (step.message == WM_LBUTTONDOWN && !keyboard) {
            frame.selecting = true;
            frame.anchor = frame.point = step.point;
        }
        if (step.message == WM_KEYDOWN && step.key == VK_RETURN) {
            frame.selecting = keyboard = true;
            frame.anchor = frame.point;
        }
        frame.crossHair = !frame.selecting || always;
        if (frame.magnification > 0) frame.zoom = zoom.Place(frame.point, size);
        marked = true;
    }
    std::vector<std::uint32_t> Pixels(const std::vector<std::uint32_t>& frozen) {
        const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
        SetDIBitsToDevice(dc, 0, 0, size.cx, size.cy, 0, 0, 0, size.cy, frozen.data(), &info, DIB_RGB_COLORS);
        if (marked) painter.Paint(dc, size, frame);
        return SurfacePixels(dc, 0, 0, size);
    }

    SIZE size;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDib24(size.cx, size.cy);
    RectangleFrame frame;
    RectangleFramePainter painter;
    ZoomPlacement zoom;
    bool always = false, keyboard = false, marked = false;
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
        const LPARAM at = step.message == WM_KEYDOWN ? 0 : MAKELPARAM(step.point.x, step.point.y);
        SendMessageW(overlay, step.message, step.key, at);
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
