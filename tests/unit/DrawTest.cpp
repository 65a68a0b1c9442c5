// The GDI cache, the primitives, the cursor painter and the mouse tooltip, on real DCs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <functional>

#include "Capture/ScreenSnapshot.h"
#include "OutputTestSupport.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "app/AppContext.h"
#include "draw/CursorPainter.h"
#include "draw/MouseTooltip.h"
#include "draw/Primitives.h"
#include "settings/TextConversion.h"

namespace Vorlune::Test {
namespace {

constexpr COLORREF kGround = 0x1E3C5A, kA = 0x0000FF, kB = 0x00FF00;
using Box = std::array<LONG, 4>;  // left, top, right, bottom, all included
Box Of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The bounds of the pixels of dc that have colour (with other: any other colour), and their count.
std::pair<Box, int> Find(HDC dc, SIZE size, COLORREF colour, bool other = false) {
    Box box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int found = 0;
    for (LONG y = 0; y < size.cy; ++y)
        for (LONG x = 0; x < size.cx; ++x)
            if ((GetPixel(dc, x, y) == colour) != other)
                ++found, box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
    return {box, found};
}

TEST(GdiCache, SharedObjectsAsRequestedDeletedWithTheCache) {
    HGDIOBJ handles[3] = {};
    {
        GdiObjectCache cache;
        const COLORREF colour = 0x563412;
        HPEN pen = cache.GetPen(2, colour).get();
        EXPECT_EQ(cache.GetPen(2, colour).get(), pen);
        EXPECT_NE(cache.GetPen(2, colour + 1).get(), pen);
        EXPECT_NE(cache.GetPen(1, colour).get(), pen);
        LOGPEN p = {};
        ASSERT_EQ(GetObjectW(pen, sizeof p, &p), int(sizeof p));
        EXPECT_EQ(std::make_tuple(p.lopnStyle, p.lopnWidth.x, p.lopnColor), std::make_tuple(UINT(PS_SOLID), 2L, colour));
        HBRUSH brush = cache.GetBrush(colour).get();
        EXPECT_EQ(cache.GetBrush(colour).get(), brush);
        for (FontId id : {0, 1}) {
            LOGFONTW f = {};
            ASSERT_EQ(GetObjectW(cache.GetFont(id).get(), sizeof f, &f), int(sizeof f));
            EXPECT_EQ(std::make_tuple(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight,
                                      f.lfItalic + f.lfUnderline + f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision,
                                      f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily, std::wstring(f.lfFaceName)),
                      std::make_tuple(id == 0 ? 22L : 12L, 0L, 0L, 0L, 500L, 0, BYTE(128), BYTE(0), BYTE(0), BYTE(2),
                                      BYTE(0x22), std::wstring(L"メイリオ")));
        }
        EXPECT_THROW(cache.GetFont(2), std::out_of_range);
        handles[0] = pen, handles[1] = brush, handles[2] = cache.GetFont(1).get();
    }
    for (HGDIOBJ handle : handles) EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(GdiCache, FailedCreationIsTriedAgain) {
    std::vector<HBRUSH> held;  // every GDI handle the process may have, so creation fails
    for (HBRUSH b; held.size() < 1000000 && (b = CreateSolidBrush(RGB(held.size() & 0xFF, 0, 0))) != nullptr;)
        held.push_back(b);
    GdiObjectCache cache;
    const bool failed = !cache.GetPen(1, 0x070809) && !cache.GetBrush(0x070809) && !cache.GetFont(0);
    for (HBRUSH brush : held) DeleteObject(brush);
    ASSERT_TRUE(failed);
    EXPECT_EQ(GetObjectType(cache.GetPen(1, 0x070809).get()), DWORD(OBJ_PEN));
    EXPECT_EQ(GetObjectType(cache.GetBrush(0x070809).get()), DWORD(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(cache.GetFont(0).get()), DWORD(OBJ_FONT));
}

// Each primitive on a 32 x 24 image: exactly the pixels in rectangles a (right and bottom
// included) take colour a, those in b colour b, and the DC keeps the objects it had.
TEST(Primitives, ExactPixelsAndTheDcsObjectsKept) {
    struct Case { std::function<void(HDC)> draw; std::vector<RECT> a, b; } cases[] = {
        {[](HDC dc) { DrawLine(dc, kA, 2, 3, 10, 3); }, {{2, 3, 9, 3}}, {}},  // the end point left out
        {[](HDC dc) { DrawLine(dc, kA, 5, 20, 5, 1); }, {{5, 2, 5, 20}}, {}},
        {[](HDC dc) { DrawFilledRectangle(dc, {3, 2, 10, 8}, kA, kB); }, {{3, 2, 9, 7}}, {{4, 3, 8, 6}}},
        {[](HDC dc) { DrawFrame(dc, {10, 10, 20, 15}, kA); }, {{10, 10, 20, 10}, {10, 15, 20, 15}, {10, 10, 10, 15}, {20, 10, 20, 15}}, {}},
        {[](HDC dc) { DrawBevelFrame(dc, kA, kB, {5, 4, 12, 10}); }, {{5, 4, 5, 8}, {5, 4, 10, 4}}, {{11, 4, 11, 9}, {5, 9, 11, 9}}}};
    const HGDIOBJ objects[] = {CreatePen(PS_DOT, 1, 0x010101), CreateSolidBrush(0x020202),
                               CreateFontW(10, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial")};
    auto in = [](const std::vector<RECT>& rects, int x, int y) {
        return std::any_of(rects.begin(), rects.end(),
                           [&](const RECT& r) { return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom; });
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Canvas canvas(32, 24, kGround);
        for (HGDIOBJ object : objects) SelectObject(canvas.dc, object);
        cases[i].draw(canvas.dc);
        int wrong = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 32; ++x)
                wrong += GetPixel(canvas.dc, x, y) != (in(cases[i].b, x, y) ? kB : in(cases[i].a, x, y) ? kA : kGround);
        EXPECT_EQ(wrong, 0) << "case " << i;
        for (HGDIOBJ object : objects) EXPECT_EQ(GetCurrentObject(canvas.dc, GetObjectType(object)), object) << i;
        for (int stock : {BLACK_PEN, WHITE_BRUSH, SYSTEM_FONT}) SelectObject(canvas.dc, GetStockObject(stock));
    }
    for (HGDIOBJ object : objects) DeleteObject(object);
}

// Read from the INI file on every call.
TEST(Primitives, AuxiliaryLineColourFromTheSetting) {
    const COLORREF table[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                                0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    SettingGuard guard(SectionSettings, KeyAuxiliaryLineColor, 0);
    for (int index = -1; index <= 16; ++index) {
        Settings().SetInt(SectionSettings, KeyAuxiliaryLineColor, index);
        EXPECT_EQ(GetAuxiliaryLineColor(), index < 0 || index > 15 ? 0x0000FFu : table[index]) << index;
    }
}

TEST(CursorPainter, MarkerIsAHollowCircleOfRadiusThirty) {
    Canvas canvas(200, 200, 0xFFFFFF);
    DrawCursorMarker(canvas.dc, {100, 90}, 0xFF0000);
    const auto [ring, pixels] = Find(canvas.dc, canvas.size, 0xFF0000);
    EXPECT_EQ(ring, (Box{70, 60, 129, 119}));
    EXPECT_EQ(Find(canvas.dc, canvas.size, 0xFFFFFF, true).second, pixels) << "nothing in another colour";
    EXPECT_TRUE(pixels > 150 && pixels < 260) << pixels << ": an outline of about 2 pi r pixels, not a disc";
}

// On a DC whose origin is not the screen's, so the offset counts.
TEST(CursorPainter, CursorImageAtItsHotSpotAndItsBitmapsDeleted) {
    HCURSOR cursor = MakeTestCursor();
    {
        CurrentCursor current(cursor, 300, 250);
        ASSERT_TRUE(current.Ready());
        Canvas canvas(300, 300, kGround);
        DrawCursorImage(canvas.dc, {200, 150});
        EXPECT_EQ(Find(canvas.dc, canvas.size, 0x000000), std::make_pair(Box{100, 100, 102, 102}, 9));
        EXPECT_EQ(Find(canvas.dc, canvas.size, 0xFFFFFF), std::make_pair(Box{105, 105, 105, 105}, 1));
        EXPECT_EQ(Find(canvas.dc, canvas.size, kGround, true).second, 10);
    }
    DestroyCursor(cursor);
    // The bitmaps GetIconInfo handed out are deleted.
    HBITMAP colour = nullptr, mask = nullptr;
    {
        const CursorBitmaps bitmaps(LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(bitmaps.Valid());
        colour = bitmaps.Colour(), mask = bitmaps.Mask();
        ASSERT_EQ(GetObjectType(mask), DWORD(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(mask), 0u);
    EXPECT_TRUE(colour == nullptr || GetObjectType(colour) == 0);
    EXPECT_FALSE(CursorBitmaps(nullptr).Valid());
}

HWND Handle(unsigned long long value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }

TEST(MouseToolTip, TextInBothLanguages) {
    const int language = App().Language;
    App().Language = 0;
    EXPECT_EQ(BuildMouseToolTipText(Handle(0x1C), RECT{0, 0, 640, 480}), L" ハンドル=0x0000001C, 幅=640, 高さ=480 ");
    App().Language = 1;
    EXPECT_EQ(BuildMouseToolTipText(Handle(0xABCDEF), RECT{-20, 100, 300, 350}), L" Handle=0x00ABCDEF, Width=320, Height=250 ");
    // Only the low 32 bits of a handle count.
    EXPECT_EQ(BuildMouseToolTipText(Handle(0x12345678'9abcdef0ull), RECT{0, 0, 1, 1}), L" Handle=0x9ABCDEF0, Width=1, Height=1 ");
    App().Language = language;
}

// Below and right of the cursor; above it where it would reach the work area's bottom, left
// of it where it would reach the right, touching counting as reaching.
TEST(MouseToolTip, PlacementFlipsAtTheWorkAreasEdges) {
    struct Case { POINT point; RECT work, expected; } cases[] = {
        {{1800, 1020}, {0, 0, 1920, 1040}, {1568, 988, 1768, 1008}}, {{100, 570}, {0, 0, 1920, 600}, {116, 538, 316, 558}},
        {{100, 1004}, {0, 0, 1920, 1040}, {116, 972, 316, 992}}, {{100, 1003}, {0, 0, 1920, 1040}, {116, 1019, 316, 1039}},
        {{1704, 100}, {0, 0, 1920, 1040}, {1472, 116, 1672, 136}}, {{1703, 100}, {0, 0, 1920, 1040}, {1719, 116, 1919, 136}}};
    for (const Case& c : cases)
        EXPECT_EQ(Of(PlaceMouseToolTip(c.point, {200, 20}, {32, 32}, c.work)), Of(c.expected)) << c.point.x << "," << c.point.y;
}

TEST(MouseToolTip, DrawnFramedNextToTheCursor) {
    const std::wstring text = L" Handle=0x0000001C, Width=640, Height=480 ";
    const SIZE extent = TextExtent(text);
    const int cx = GetSystemMetrics(SM_CXCURSOR), cy = GetSystemMetrics(SM_CYCURSOR);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ScreenSnapshot snapshot;
    // Near the work area's corner, so it flips both ways.
    const POINT point = {work.right - 5, work.bottom - 5};
    PatBlt(snapshot.workDC, 0, 0, snapshot.size.cx, snapshot.size.cy, WHITENESS);
    DrawMouseToolTip(snapshot.workDC, snapshot.bounds, point, text);
    const LONG left = point.x - extent.cx - cx, top = point.y - cy;
    EXPECT_EQ(Find(snapshot.workDC, snapshot.size, 0x646464).first, (Box{left, top, left + extent.cx, top + extent.cy}));
    // Dark text on the pale background inside the frame.
    int background = 0, ink = 0;
    for (LONG y = top + 1; y < top + extent.cy; ++y)
        for (LONG x = left + 1; x < left + extent.cx; ++x) ++(GetPixel(snapshot.workDC, x, y) == 0xE1FFFF ? background : ink);
    EXPECT_TRUE(background > ink && ink > 20) << background << " " << ink;
}

// Only with ClipBoard 3, in the thread's code page: two bytes for each Japanese character.
TEST(MouseToolTip, CopiedToTheClipboardOnlyWhenClipBoardIsThree) {
    const LCID locale = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT));
    const std::wstring text = L" ハンドル=0x0000001C, 幅=640, 高さ=480 ";
    for (int value : {0, 4, 3}) {
        SettingGuard clipboard(SectionSettings, KeyClipBoard, value);
        SetClipboardText(nullptr, L"before");
        CopyMouseToolTipText(nullptr, text);
        EXPECT_EQ(ClipboardAnsiText(), value == 3 ? ToThreadAnsi(text) : "before") << value;
    }
    EXPECT_EQ(ToThreadAnsi(text).size(), text.size() + 7);
    SetThreadLocale(locale);
}

}  // namespace
}  // namespace Vorlune::Test
