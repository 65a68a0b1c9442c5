#include <gtest/gtest.h>

#include <memory>

#include "Capture/Dib.h"
#include "Capture/RectangleCapture.h"
#include "CaptureProbe.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "Wait.h"

// The marks the painter draws, on a surface of its own; that the overlay shows exactly these
// marks over the frozen screen is the repaint tests' part.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;
constexpr int kSide = 600;

// A kSide x kSide top-down surface showing the pattern.
class Surface {
public:
    Surface() {
        const BITMAPINFO info = DibInfo(kSide, -kSide, 32);
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc, bitmap_);
        Fill();
    }
    ~Surface() {
        SelectObject(dc, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    void Fill() {
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) static_cast<std::uint32_t*>(bits_)[y * kSide + x] = Rgb(ScreenPattern(x, y));
    }
    void Paint(RectangleFramePainter& painter, const RectangleFrame& frame) {
        painter.Paint(dc, {kSide, kSide}, frame);
        GdiFlush();
    }
    std::uint32_t At(int x, int y) const { return static_cast<const std::uint32_t*>(bits_)[y * kSide + x]; }

    HDC dc = CreateCompatibleDC(nullptr);

private:
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
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
    const std::pair<POINT, int> cases[] = {{{200, 200}, 1}, {{200, 200}, 2},  {{200, 200}, 3},
                                           {{200, 200}, 6}, {{200, 200}, 10}, {{200, 200}, 300}, {{5, 5}, 10}};
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
                const bool border = (x == 300 || x == 340) && y >= 200 && y <= 230;
                const bool edge = (y == 200 || y == 230) && x >= 300 && x <= 340;
                const bool onCrossHair = crossHair && (x == 300 || y == 200);
                ASSERT_EQ(surface.At(x, y), border || edge || onCrossHair ? kLine : Rgb(ScreenPattern(x, y))) << x << "," << y;
            }
        for (POINT q : {POINT{0, 200}, {kSide - 1, 200}, {300, 0}, {300, kSide - 2}})
            EXPECT_EQ(surface.At(q.x, q.y), crossHair ? kLine : Rgb(ScreenPattern(q.x, q.y))) << q.x << "," << q.y;
    }
}

TEST(RectangleDrawing, AMoveToThePointAlreadyDrawnRepaintsNothing) {
    PatternWindow pattern{{0, 0, 1000, 800}};
    ASSERT_TRUE(pattern.Shown());
    OwnerWindow owner;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
    ToggleGuard cursorOff{TextCursorToggle, 0};
    ASSERT_TRUE(PlaceCursor({420, 330}));  // the arrow key moves the real cursor
    auto mode = MakeCaptureMode<RectangleCaptureWithMagnifier>(owner.Handle());
    mode->Act([] {});
    HWND overlay = FindWindowW(L"RectangleCaptureWithMagnifier", nullptr);
    const SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    auto move = [&](LONG x) { SendMessageW(overlay, WM_MOUSEMOVE, 0, MAKELPARAM(x, 330)); };
    auto at = [&](int x) { return ShownPixels(overlay, size)[100 * size.cx + x]; };
    RECT update = {};
    move(420);
    const std::vector<std::uint32_t> drawn = ShownPixels(overlay, size);
    ASSERT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    move(420);
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_EQ(ShownPixels(overlay, size), drawn);
    // An arrow key draws its point at once; the move message it causes then adds nothing.
    SendMessageW(overlay, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(at(421), Rgb(kLine));
    move(421);
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    move(422);  // the next real move draws as before
    EXPECT_TRUE(GetUpdateRect(overlay, &update, FALSE));
    EXPECT_EQ(at(422), Rgb(kLine));
    EXPECT_EQ(at(421), Rgb(ScreenPattern(421, 100)));
    SendMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace
}  // namespace Vorlune::Test
