#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "Capture/RectangleCapture.h"
#include "MonitorDpiGuard.h"
#include "Output.h"
#include "Screen.h"
#include "SettingGuard.h"
#include "Wait.h"
#include "core/ZoomPlacement.h"
#include "draw/CursorPainter.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

// The painter's marks on a surface of its own, then the real overlay and its files.
namespace Vorlune::Test {
namespace {

constexpr COLORREF kLine = 0xFF00FF;
constexpr int kSide = 600;

// The whole frame into dc as the overlay shows it: the marks, then the zoom window over them.
void PaintWhole(RectangleFramePainter& painter, HDC dc, SIZE size, const RectangleFrame& frame) {
    painter.PaintMarks(dc, size, frame);
    painter.TakeZoom(dc, size, frame);
    painter.PaintZoom(dc, frame);
}

// The screen once window's pending paint reached it.
std::vector<std::uint32_t> ShownPixels(HWND window, SIZE area) {
    UpdateWindow(window);
    return StillScreen(area);
}

// A top-down 32-bit surface showing the pattern.
struct Surface {
    Surface() : memory(TopDownDib32(size, reinterpret_cast<void**>(&bits))), dc(memory.dc()) { Fill(); }
    void Fill() {
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) bits[y * size.cx + x] = Rgb(ScreenPattern(x, y));
    }
    void Paint(RectangleFramePainter& painter, const RectangleFrame& frame) {
        PaintWhole(painter, dc, size, frame);
        GdiFlush();
    }
    std::uint32_t At(int x, int y) const { return bits[y * size.cx + x]; }

    SIZE size = {kSide, kSide};
    std::uint32_t* bits = nullptr;
    MemorySurface memory;
    HDC dc;
};

RectangleFrame Frame(POINT p, int magnification = 0, bool crossHair = true) {
    return {.point = p,
            .crossHair = crossHair,
            .colour = kLine,
            .magnification = magnification,
            .zoom = {p.x + 50, p.y + 50, p.x + 350, p.y + 350}};
}

// With factors 1 and 2 the source square reaches into the zoom window, so it is read first.
TEST(ZoomPainter, EnlargesTheFrozenScreenAroundTheCursor) {
    Surface surface;
    const std::pair<POINT, int> cases[] = {{{200, 200}, 1}, {{200, 200}, 3}, {{200, 200}, 300}, {{5, 5}, 10}};
    for (const auto& [p, factor] : cases) {
        SCOPED_TRACE(testing::Message() << p.x << " x" << factor);
        RectangleFramePainter painter;
        surface.Fill();
        surface.Paint(painter, Frame(p, factor));
        const int half = 150 / factor;
        const LONG left = p.x + 50, top = p.y + 50;
        for (int j = 1; j < 300; ++j)
            for (int i = 1; i < 300; ++i) {
                const int sx = p.x - half + i / factor, sy = p.y - half + j / factor;
                const COLORREF want = sx < 0 || sy < 0 ? 0 : sx == p.x || sy == p.y ? kLine : ScreenPattern(sx, sy);
                ASSERT_EQ(surface.At(left + i, top + j), Rgb(want)) << i << "," << j;
            }
        // The frame takes the window's edge and the column and row just past it.
        for (int k = 0; k <= 300; ++k)
            for (POINT edge : {POINT{left + k, top}, {left + k, top + 300}, {left, top + k}, {left + 300, top + k}})
                ASSERT_EQ(surface.At(edge.x, edge.y), Rgb(kLine)) << edge.x << "," << edge.y;
    }
}

// Out of GDI handles but one: the scratch DC can be made, its bitmap cannot.
TEST(ZoomPainter, AFailedScratchIsMadeAgain) {
    Surface surface;
    RectangleFramePainter starved;
    std::vector<OwnedBrush> hog;
    for (HBRUSH b; (b = CreateSolidBrush(0)) != nullptr;) hog.emplace_back(b);
    hog.pop_back();
    PaintWhole(starved, surface.dc, {kSide, kSide}, Frame({200, 200}, 10, false));
    hog.clear();
    surface.Fill();
    surface.Paint(starved, Frame({200, 200}, 10, false));
    EXPECT_EQ(surface.At(300, 300), Rgb(ScreenPattern(190, 190))) << "enlarged from around the cursor, not black";
}

TEST(RectanglePainter, DrawsTheAreasBorderWithTheCrossHairAcrossTheSurface) {
    for (bool crossHair : {true, false}) {
        SCOPED_TRACE(crossHair);
        Surface surface;
        RectangleFramePainter painter;
        surface.Paint(
            painter,
            {.point = {300, 200}, .selecting = true, .anchor = {340, 230}, .crossHair = crossHair, .colour = kLine});
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

// Hollow, radius 30, and inside the bounds the overlay repaints round it.
TEST(RectanglePainter, DrawsACircleRoundTheCursorWhenTheCursorIsCaptured) {
    Surface surface;
    RectangleFramePainter painter;
    surface.Paint(painter, {.point = {300, 200}, .cursorCircle = true, .colour = kLine});
    const RECT bounds = CursorMarkerBounds({300, 200});
    EXPECT_EQ(surface.At(270, 200), Rgb(kLine));
    EXPECT_EQ(surface.At(300, 170), Rgb(kLine));
    EXPECT_EQ(surface.At(300, 200), Rgb(ScreenPattern(300, 200)));
    for (LONG x = 0; x < kSide; ++x)
        for (LONG y = 0; y < kSide; ++y)
            ASSERT_TRUE(Contains(bounds, {x, y}) || surface.At(x, y) == Rgb(ScreenPattern(x, y))) << x << "," << y;
}

class RectangleDrive : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pattern.Shown()); }
    void TearDown() override {
        mode.reset();
        PumpMessages();
    }
    // One object of a mode at a time: they share its message map.
    template <class Mode = RectangleCapture>
    void Start(const wchar_t* className = L"RectangleCapture") {
        mode.reset();
        mode = MakeCaptureMode<Mode>(owner.Handle());
        overlay = FindWindowW(className, nullptr);
        Again();
    }
    void Again() {
        mode->Act([this] { ++finished; });
    }
    void Send(UINT message, POINT p) { SendMessageW(overlay, message, 0, MAKELPARAM(p.x, p.y)); }
    // An auto-repeat has its previous key state down.
    void Key(WPARAM key, bool repeat = false) { SendMessageW(overlay, WM_KEYDOWN, key, repeat ? LPARAM{1} << 30 : 0); }
    void ExpectImage(size_t index, SIZE size, const std::function<COLORREF(int, int)>& want) {
        const DecodedImage image = images.Image(index);
        ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(int(size.cx), int(size.cy)));
        for (int y = 0; want && y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) ASSERT_EQ(image.Pixel(x, y), want(x, y)) << x << "," << y;
    }
    void ExpectPattern(size_t index, POINT at, SIZE size) {
        ExpectImage(index, size, [&](int x, int y) { return ScreenPattern(at.x + x, at.y + y); });
    }

    PatternWindow pattern{{200, 120, 1000, 760}};
    OwnerWindow owner;
    ImageFolderGuard images;
    SettingGuard magenta{SectionSettings, KeyAuxiliaryLineColor, 13};
    ToggleGuard cursorOff{TextCursorToggle, 0};
    std::unique_ptr<RectangleCapture> mode;
    HWND overlay = nullptr;
    int finished = 0;
};

// Back at a point the overlay shows what it first did there; a release after a dropped drag picks
// nothing. With the magnifier, the cross-hair is drawn all the time.
class RectangleMarks : public RectangleDrive, public testing::WithParamInterface<bool> {};
TEST_P(RectangleMarks, EachMoveLeavesOnlyItsOwnMarks) {
    const bool magnifier = GetParam();
    const SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const LONG r = size.cx - 1, b = size.cy - 1;
    const size_t onCrossHair = 50 * size.cx + 700;  // far from the selection and the zoom window
    const std::vector<std::uint32_t> frozen = ShownPixels(GetDesktopWindow(), size);
    ToggleGuard circle(TextCursorToggle, 1);
    SettingGuard always(SectionSettings, KeyAlwaysAuxiliaryLine, magnifier ? 1 : 0);
    ASSERT_TRUE(PlaceCursor({300, 200}));  // a move the system sends meanwhile draws the same frame
    if (magnifier)
        Start<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    else
        Start();
    Send(WM_MOUSEMOVE, {300, 200});
    const auto first = ShownPixels(overlay, size);
    for (POINT p : {POINT{r, 0}, {r, b}, {0, b}}) Send(WM_MOUSEMOVE, p);
    Send(WM_LBUTTONDOWN, {600, 500});
    Send(WM_MOUSEMOVE, {700, 600});
    EXPECT_EQ(ShownPixels(overlay, size)[onCrossHair], magnifier ? Rgb(kLine) : frozen[onCrossHair]);
    Key(VK_ESCAPE);
    EXPECT_TRUE(ShownPixels(overlay, size) == frozen);
    Send(WM_LBUTTONUP, {700, 600});
    Send(WM_MOUSEMOVE, {300, 200});
    EXPECT_TRUE(ShownPixels(overlay, size) == first);
    Send(WM_MOUSEMOVE, {300, 200});  // the point already drawn: nothing to paint
    RECT update = {};
    EXPECT_FALSE(GetUpdateRect(overlay, &update, FALSE));
    // Sign-extended and clamped: a release up-left of the screen picks from its corner.
    Send(WM_LBUTTONDOWN, {300, 250});
    Send(WM_LBUTTONUP, {-20, -30});
    ASSERT_EQ(finished, 1);
    ExpectImage(0, {301, 251}, nullptr);
}
INSTANTIATE_TEST_SUITE_P(RectangleDrive, RectangleMarks, testing::Bool(),
                         [](const auto& magnifier) { return magnifier.param ? "WithMagnifier" : "Plain"; });

// The zoom window goes onto the window, each move only what changed of it, the rest through the
// work surface: together the very pixels of the painter's whole frame in one image, at 100 % and
// at 200 %, over the pattern and over the even desktop.
class RectangleAtScale : public RectangleDrive, public testing::WithParamInterface<int> {};
TEST_P(RectangleAtScale, TheOverlayShowsThePaintersFrame) {
    const int dpi = GetParam();
    const SIZE size = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::vector<std::uint32_t> frozen = ShownPixels(GetDesktopWindow(), size);
    ToggleGuard circle(TextCursorToggle, 1);
    SettingGuard always(SectionSettings, KeyAlwaysAuxiliaryLine, 1);
    StringSettingGuard factor(KeyZoomWindowMagnification, L"10");
    const MonitorDpiGuard dpis([dpi](HMONITOR) { return dpi; });
    const POINT anchor = {320, 220};
    Start<RectangleCaptureWithMagnifier>(L"RectangleCaptureWithMagnifier");
    Send(WM_LBUTTONDOWN, anchor);
    const auto expectFrameAfter = [&](POINT by, POINT to) {
        ASSERT_TRUE(PlaceCursor(to));
        Send(WM_MOUSEMOVE, by);
        UpdateWindow(overlay);  // what to draws again is then only what it changes
        Send(WM_MOUSEMOVE, to);
        void* bits = nullptr;
        const MemorySurface want(TopDownDib32(size, &bits));
        std::memcpy(bits, frozen.data(), frozen.size() * sizeof frozen[0]);
        const Rect zoom = ZoomPlacement().Place(ToCore(to), ToCore(size), dpi);
        RectangleFramePainter painter;
        PaintWhole(painter, want.dc(), size,
                   {.point = to,
                    .selecting = true,
                    .anchor = anchor,
                    .crossHair = true,
                    .cursorCircle = true,
                    .colour = kLine,
                    .dpi = dpi,
                    .magnification = 10,
                    .zoom = ToWin(zoom)});
        EXPECT_TRUE(ShownPixels(overlay, size) == SurfacePixels(want.dc(), size)) << to.x;
    };
    expectFrameAfter({360, 260}, {300, 200});  // the zoom window right of and below the cursor
    expectFrameAfter({1760, 1000}, {1700, 990});  // left of and above it
}
INSTANTIATE_TEST_SUITE_P(RectangleDrive, RectangleAtScale, testing::Values(96, 192));

// The release after it picks nothing, and the capture goes on.
TEST_F(RectangleDrive, ARightClickDropsTheDrag) {
    Start();
    Send(WM_LBUTTONDOWN, {600, 500});
    Send(WM_MOUSEMOVE, {700, 600});
    Send(WM_RBUTTONUP, {700, 600});
    Send(WM_LBUTTONUP, {700, 600});
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(IsWindowVisible(overlay));
}

// Not the last capture's cursor; an arrow right before Enter counts.
TEST_F(RectangleDrive, EnterAnchorsAtThisCapturesCursor) {
    ASSERT_TRUE(PlaceCursor({500, 350}));
    Start();
    Key(VK_RETURN);
    Key(VK_RETURN);
    ASSERT_EQ(finished, 1);
    ExpectPattern(0, {500, 350}, {1, 1});
    ASSERT_TRUE(PlaceCursor({530, 370}));
    Again();
    Key(VK_RETURN);
    Key(VK_RETURN, true);
    Key(VK_RETURN, true);
    Key(VK_LEFT);
    Key(VK_UP);
    EXPECT_EQ(finished, 1);
    Key(VK_RETURN);
    ASSERT_EQ(finished, 2);
    ExpectPattern(1, {529, 369}, {2, 2});
}

}  // namespace
}  // namespace Vorlune::Test
