#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Capture/Dib.h"
#include "Capture/RectangleCapture.h"
#include "Capture/RectangleGeometry.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "SettingGuard.h"

// The marks the painter draws, on a surface of its own; then that the overlay, repainting only
// what changed, shows exactly the frozen screen plus these marks.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;
constexpr int kSide = 600;

// A top-down 32-bit surface showing the pattern, or the pixels loaded into it.
class Surface {
public:
    explicit Surface(SIZE size = {kSide, kSide}) : size(size) {
        const BITMAPINFO info = DibInfo(size.cx, -size.cy, 32);
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = SelectObject(dc, bitmap_);
        Fill();
    }
    ~Surface() {
        SelectObject(dc, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    void Fill() {
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) bits_[y * size.cx + x] = Rgb(ScreenPattern(x, y));
    }
    void Load(const std::vector<std::uint32_t>& pixels) { std::copy(pixels.begin(), pixels.end(), bits_); }
    void Paint(RectangleFramePainter& painter, const RectangleFrame& frame) {
        painter.Paint(dc, size, frame);
        GdiFlush();
    }
    std::uint32_t At(int x, int y) const { return bits_[y * size.cx + x]; }
    std::vector<std::uint32_t> Pixels() const { return {bits_, bits_ + size.cx * size.cy}; }

    SIZE size;
    HDC dc = CreateCompatibleDC(nullptr);

private:
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

RectangleFrame Frame(POINT point, int magnification = 0, bool crossHair = true) {
    RectangleFrame frame;
    frame.point = point;
    frame.crossHair = crossHair;
    frame.colour = kLine;
    frame.magnification = magnification;
    frame.zoom = {point.x + 50, point.y + 50, point.x + 350, point.y + 350};
    return frame;
}

// Each zoom pixel enlarges the square around the cursor, cross-hair included and black off the
// surface; with factors 1 and 2 that square reaches into the window, so it is read first.
// A scratch surface that could not be made is tried again.
TEST(ZoomPainter, SourceIsReadBeforeTheWindowAndAFailedScratchIsMadeAgain) {
    Surface surface;
    const std::pair<POINT, int> cases[] = {{{200, 200}, 1}, {{200, 200}, 3}, {{200, 200}, 300}, {{5, 5}, 10}};
    for (const auto& [p, factor] : cases) {
        SCOPED_TRACE(testing::Message() << p.x << " x" << factor);
        RectangleFramePainter painter;
        surface.Fill();
        surface.Paint(painter, Frame(p, factor));
        const int half = 150 / factor;
        const LONG left = p.x + 50, top = p.y + 50;
        int wrong = 0;
        for (int j = 1; j < 300; ++j)
            for (int i = 1; i < 300; ++i) {
                const int sx = p.x - half + i / factor, sy = p.y - half + j / factor;
                const COLORREF want = sx < 0 || sy < 0 ? 0 : sx == p.x || sy == p.y ? kLine : ScreenPattern(sx, sy);
                if (surface.At(left + i, top + j) != Rgb(want) && ++wrong <= 3) ADD_FAILURE() << i << "," << j;
            }
        EXPECT_EQ(wrong, 0);
        // The frame takes the window's edge and the column and row just past it.
        for (int k = 0; k <= 300; ++k)
            for (POINT edge : {POINT{left + k, top}, {left + k, top + 300}, {left, top + k}, {left + 300, top + k}})
                ASSERT_EQ(surface.At(edge.x, edge.y), Rgb(kLine)) << edge.x << "," << edge.y;
    }
    // Out of GDI handles but one: the scratch DC can be made, its bitmap cannot.
    RectangleFramePainter starved;
    std::vector<HBRUSH> hog;
    for (HBRUSH b; (b = CreateSolidBrush(0)) != nullptr;) hog.push_back(b);
    DeleteObject(hog.back());
    hog.pop_back();
    starved.Paint(surface.dc, {kSide, kSide}, Frame({200, 200}, 10, false));
    for (HBRUSH b : hog) DeleteObject(b);
    surface.Fill();
    surface.Paint(starved, Frame({200, 200}, 10, false));
    EXPECT_EQ(surface.At(300, 300), Rgb(ScreenPattern(190, 190))) << "enlarged from around the cursor, not black";
}

TEST(RectanglePainter, SelectionFrameIsTheBorderOfTheAreaAndTheCrossHairSpansTheSurface) {
    for (bool crossHair : {true, false}) {
        SCOPED_TRACE(crossHair);
        Surface surface;
        RectangleFramePainter painter;
        RectangleFrame frame = Frame({300, 200}, 0, crossHair);
        frame.selecting = true;
        frame.anchor = {340, 230};
        surface.Paint(painter, frame);
        for (int x = 299; x <= 341; ++x)
            for (int y = 199; y <= 231; ++y) {
                const bool inside = x >= 300 && x <= 340 && y >= 200 && y <= 230;
                const bool border = inside && (x == 300 || x == 340 || y == 200 || y == 230);
                const bool line = border || (crossHair && (x == 300 || y == 200));
                ASSERT_EQ(surface.At(x, y), line ? kLine : Rgb(ScreenPattern(x, y))) << x << "," << y;
            }
        for (POINT q : {POINT{0, 200}, {kSide - 1, 200}, {300, 0}, {300, kSide - 2}})
            EXPECT_EQ(surface.At(q.x, q.y), crossHair ? kLine : Rgb(ScreenPattern(q.x, q.y))) << q.x << "," << q.y;
    }
}

struct Step { UINT message; POINT point; WPARAM key = 0; };

std::vector<Step> Path(SIZE s) {
    const LONG r = s.cx - 1, b = s.cy - 1;
    std::vector<Step> steps;
    auto moves = [&](std::initializer_list<POINT> points) {
        for (POINT p : points) steps.push_back({WM_MOUSEMOVE, p});
    };
    // Corners and edges (the first puts the zoom window right of and below the cursor), then
    // the zoom window's flips, both ways on both axes.
    // A move to the point already drawn draws nothing.
    moves({{0, 0}, {960, 540}, {r, 0}, {r, b}, {0, b}, {s.cx / 2, 0}, {r, s.cy / 2}, {5, b - 2}, {1, 1}, {1, 1}});
    moves({{r - 350, 400}, {r - 349, 400}, {800, 400}, {351, 400}, {350, 400}, {500, b - 350}, {500, b - 349},
           {500, 351}, {500, 350}});
    // A drag through every direction and into the corners, dropped by Escape; another dropped
    // by the right button (a release after either drop picks nothing); a keyboard anchor,
    // during which a press starts nothing.
    steps.push_back({WM_LBUTTONDOWN, {600, 500}});
    moves({{900, 700}, {300, 200}, {0, 0}, {r, b}, {600, 500}, {610, 400}, {0, b}, {r, 0}});
    steps.push_back({WM_KEYDOWN, {}, VK_ESCAPE});
    moves({{620, 410}});
    steps.push_back({WM_LBUTTONUP, {620, 410}});
    steps.push_back({WM_LBUTTONDOWN, {100, 100}});
    moves({{r, 50}});
    steps.push_back({WM_RBUTTONUP, {r, 50}});
    moves({{101, 101}});
    steps.push_back({WM_LBUTTONUP, {101, 101}});
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
    Expected(SIZE size, bool circle, bool always, int magnification) : surface(size), always(always) {
        frame.cursorCircle = circle;
        frame.colour = kLine;
        frame.magnification = magnification;
    }
    void Apply(const Step& step) {
        const bool drop = (step.message == WM_KEYDOWN && step.key == VK_ESCAPE) || step.message == WM_RBUTTONUP;
        if (drop && frame.selecting) {
            frame.selecting = keyboard = marked = false;  // the frozen image again until the next move
            return;
        }
        if (step.message == WM_MOUSEMOVE || step.message == WM_LBUTTONUP) frame.point = step.point;
        if (step.message == WM_LBUTTONDOWN && !keyboard) {
            frame.selecting = true;
            frame.anchor = frame.point = step.point;
        }
        if (step.message == WM_KEYDOWN && step.key == VK_RETURN) {
            frame.selecting = keyboard = true;
            frame.anchor = frame.point;
        }
        frame.crossHair = !frame.selecting || always;
        if (frame.magnification > 0) frame.zoom = zoom.Place(frame.point, surface.size);
        marked = true;
    }
    std::vector<std::uint32_t> Pixels(const std::vector<std::uint32_t>& frozen) {
        surface.Load(frozen);
        if (marked) surface.Paint(painter, frame);
        return surface.Pixels();
    }

    Surface surface;
    RectangleFrame frame;
    RectangleFramePainter painter;
    ZoomPlacement zoom;
    bool always = false, keyboard = false, marked = false;
};

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
    POINT last = {-1, -1};
    for (const Step& step : Path(size)) {
        SCOPED_TRACE(testing::Message() << "step " << index++ << " at " << step.point.x << "," << step.point.y);
        const LPARAM at = step.message == WM_KEYDOWN ? 0 : MAKELPARAM(step.point.x, step.point.y);
        SendMessageW(overlay, step.message, step.key, at);
        RECT update = {};
        const bool again = step.message == WM_MOUSEMOVE && step.point.x == last.x && step.point.y == last.y;
        EXPECT_FALSE(again && GetUpdateRect(overlay, &update, FALSE));
        last = step.message == WM_MOUSEMOVE ? step.point : POINT{-1, -1};
        expected.Apply(step);
        ASSERT_TRUE(ShownPixels(overlay, size) == expected.Pixels(frozen));
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
