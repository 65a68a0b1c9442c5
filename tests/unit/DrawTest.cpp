// The GDI cache, the primitives, the cursor painter and the mouse tooltip, on real DCs.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Capture/ScreenSnapshot.h"
#include "CaptureProbe.h"
#include "OutputTestSupport.h"
#include "PatternWindow.h"
#include "SettingGuard.h"
#include "app/AppContext.h"
#include "draw/CursorPainter.h"
#include "draw/MouseTooltip.h"
#include "draw/Primitives.h"
#include "settings/TextConversion.h"
#include "ui/VirtualScreen.h"

namespace Vorlune::Test {
namespace {

TEST(GdiCache, SharedObjectsAsRequestedDeletedWithTheCache) {
    HGDIOBJ handles[3] = {};
    {
        GdiObjectCache cache;
        const COLORREF colour = 0x563412;
        for (int width : {1, 2}) {
            HPEN pen = cache.GetPen(width, colour).get();
            EXPECT_EQ(cache.GetPen(width, colour).get(), pen);
            EXPECT_NE(cache.GetPen(width, colour + 1).get(), pen);
            LOGPEN logPen = {};
            ASSERT_EQ(GetObjectW(pen, sizeof logPen, &logPen), int(sizeof logPen));
            EXPECT_EQ(std::make_tuple(logPen.lopnStyle, logPen.lopnWidth.x, logPen.lopnColor), std::make_tuple(UINT(PS_SOLID), LONG(width), colour));
        }
        EXPECT_NE(cache.GetPen(1, colour), cache.GetPen(2, colour));
        HBRUSH brush = cache.GetBrush(colour).get();
        EXPECT_EQ(cache.GetBrush(colour).get(), brush);
        LOGBRUSH logBrush = {};
        ASSERT_EQ(GetObjectW(brush, sizeof logBrush, &logBrush), int(sizeof logBrush));
        EXPECT_EQ(std::make_pair(logBrush.lbStyle, logBrush.lbColor), std::make_pair(UINT(BS_SOLID), colour));
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
        EXPECT_THROW(cache.GetFont(-1), std::out_of_range);
        handles[0] = cache.GetPen(1, colour).get(), handles[1] = brush, handles[2] = cache.GetFont(1).get();
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
    EXPECT_EQ(cache.GetPen(1, 0x070809), cache.GetPen(1, 0x070809));
}

// The face the program asks for must reach a font with Japanese and Latin glyphs, or every
// Japanese text is drawn as boxes.
TEST(GdiCache, FontHasJapaneseAndLatinGlyphs) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, GdiCache().GetFont(0).get());
    AppContext context;
    for (int language : {0, 1}) {
        context.Language = language;
        for (TextId id : {TextRectangleButton, TextCursorToggle, TextDeleteImages}) {
            const std::wstring text = context.GetText(id);
            std::vector<WORD> glyphs(text.size());
            GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
            for (size_t i = 0; i < text.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "U+" << std::hex << int(text[i]);
        }
    }
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    SelectObject(dc, before);
    DeleteDC(dc);
}

constexpr COLORREF kGround = 0x1E3C5A, kA = 0x0000FF, kB = 0x00FF00;

// Each primitive on a 32 x 24 image: exactly the pixels in rectangles a (right and bottom
// included) take colour a, those in b colour b, and the DC keeps the objects it had.
TEST(Primitives, ExactPixelsAndTheDcsObjectsKept) {
    struct Case { std::function<void(HDC)> draw; std::vector<RECT> a, b; } cases[] = {
        {[](HDC dc) { DrawLine(dc, kA, 2, 3, 10, 3); }, {{2, 3, 9, 3}}, {}},  // the end point left out
        {[](HDC dc) { DrawLine(dc, kA, 5, 20, 5, 1); }, {{5, 2, 5, 20}}, {}},
        {[](HDC dc) { DrawLine(dc, kA, 0, 0, 5, 5); }, {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}}, {}},
        {[](HDC dc) { DrawLine(dc, kA, 7, 7, 7, 7); }, {}, {}},
        {[](HDC dc) { DrawFilledRectangle(dc, {3, 2, 10, 8}, kA, kB); }, {{3, 2, 9, 7}}, {{4, 3, 8, 6}}},
        {[](HDC dc) { DrawFrame(dc, {10, 10, 20, 15}, kA); }, {{10, 10, 20, 10}, {10, 15, 20, 15}, {10, 10, 10, 15}, {20, 10, 20, 15}}, {}},
        {[](HDC dc) { DrawBevelFrame(dc, kA, kB, {0, 0, 4, 3}); }, {{0, 0, 2, 0}, {0, 1, 0, 1}}, {{3, 0, 3, 2}, {0, 2, 2, 2}}},
        {[](HDC dc) { DrawBevelFrame(dc, kA, kB, {5, 4, 12, 10}); }, {{5, 4, 5, 8}, {5, 4, 10, 4}}, {{11, 4, 11, 9}, {5, 9, 11, 9}}}};
    HPEN pen = CreatePen(PS_DOT, 1, 0x010101);
    HBRUSH brush = CreateSolidBrush(0x020202), ground = CreateSolidBrush(kGround);
    HFONT font = CreateFontW(10, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    HBITMAP bitmap = CreateDib24(32, 24);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old[] = {SelectObject(dc, bitmap), SelectObject(dc, pen), SelectObject(dc, brush), SelectObject(dc, font)};
    const RECT all = {0, 0, 32, 24};
    auto in = [](const std::vector<RECT>& rects, int x, int y) {
        for (const RECT& r : rects)
            if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return true;
        return false;
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        FillRect(dc, &all, ground);
        cases[i].draw(dc);
        // Every pixel outside a must not have changed; a's frame with b's interior inside.
        int wrong = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 32; ++x)
                wrong += GetPixel(dc, x, y) != (in(cases[i].b, x, y) ? kB : in(cases[i].a, x, y) ? kA : kGround);
        EXPECT_EQ(wrong, 0) << "case " << i;
        EXPECT_TRUE(GetCurrentObject(dc, OBJ_PEN) == pen && GetCurrentObject(dc, OBJ_BRUSH) == brush &&
                    GetCurrentObject(dc, OBJ_FONT) == font) << "case " << i;
    }
    for (HGDIOBJ object : old) SelectObject(dc, object);
    DeleteDC(dc);
    for (HGDIOBJ object : std::initializer_list<HGDIOBJ>{bitmap, pen, brush, ground, font}) DeleteObject(object);
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

void Fill(HDC dc, SIZE size, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, size.cx, size.cy};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

// The smallest rectangle, right and bottom included, of the pixels that (do not) have colour.
RECT BoundsOf(HDC dc, SIZE size, COLORREF colour, bool other, int* count = nullptr) {
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int found = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if ((GetPixel(dc, x, y) == colour) != other) {
                ++found;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
            }
    if (count != nullptr) *count = found;
    return box;
}

bool Same(RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; }

TEST(CursorPainter, MarkerIsAHollowCircleOfRadiusThirtyInTheLineColour) {
    SettingGuard colour(SectionSettings, KeyAuxiliaryLineColor, 12);  // 0xFF0000
    ScreenSnapshot snapshot(RECT{0, 0, 200, 200});
    Fill(snapshot.workDC, snapshot.size, 0xFFFFFF);
    Fill(snapshot.outputDC, snapshot.size, 0xFFFFFF);
    DrawCursorMarker(snapshot.workDC, {100, 90}, GetAuxiliaryLineColor());
    int ring = 0, other = 0;
    EXPECT_TRUE(Same(BoundsOf(snapshot.workDC, snapshot.size, 0xFF0000, false, &ring), {70, 60, 129, 119}));
    BoundsOf(snapshot.workDC, snapshot.size, 0xFFFFFF, true, &other);
    EXPECT_EQ(other, ring) << "nothing in another colour";
    EXPECT_TRUE(ring > 150 && ring < 260) << ring << ": an outline of about 2 pi r pixels, not a disc";
    BoundsOf(snapshot.outputDC, snapshot.size, 0xFFFFFF, true, &other);
    EXPECT_EQ(other, 0) << "the output stays clean";
}

TEST(CursorPainter, CursorImageAtItsHotSpotIntoTheOutputOnly) {
    HCURSOR cursor = MakeTestCursor();
    {
        CurrentCursor current(cursor, 300, 250);
        ASSERT_TRUE(current.Ready());
        // A snapshot whose origin is not the screen's, so the offset counts.
        ScreenSnapshot snapshot(RECT{200, 150, 500, 450});
        Fill(snapshot.outputDC, snapshot.size, kGround);
        Fill(snapshot.workDC, snapshot.size, kGround);
        DrawCursorImage(snapshot.outputDC, snapshot.Origin());
        int black = 0, changed = 0;
        EXPECT_TRUE(Same(BoundsOf(snapshot.outputDC, snapshot.size, 0x000000, false, &black), {100, 100, 102, 102}));
        EXPECT_TRUE(Same(BoundsOf(snapshot.outputDC, snapshot.size, 0xFFFFFF, false), {105, 105, 105, 105}));
        BoundsOf(snapshot.outputDC, snapshot.size, kGround, true, &changed);
        EXPECT_EQ(std::make_pair(black, changed), std::make_pair(9, 10));
        BoundsOf(snapshot.workDC, snapshot.size, kGround, true, &changed);
        EXPECT_EQ(changed, 0);
    }
    DestroyCursor(cursor);
}

// A colour cursor keeps its own size, and the bitmaps GetIconInfo handed out are deleted.
TEST(CursorPainter, ColourCursorInsideItsRectangleAndItsBitmapsDeleted) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    CurrentCursor current(arrow, 300, 250);
    ASSERT_TRUE(current.Ready());
    HBITMAP colour = nullptr, mask = nullptr;
    RECT limit = {};
    {
        const CursorBitmaps bitmaps(arrow);
        ASSERT_TRUE(bitmaps.Valid());
        colour = bitmaps.Colour(), mask = bitmaps.Mask();
        BITMAP shape = {};
        GetObjectW(colour ? colour : mask, sizeof shape, &shape);
        limit = {100 - bitmaps.HotSpot().x, 100 - bitmaps.HotSpot().y, 0, 0};
        limit.right = limit.left + shape.bmWidth - 1, limit.bottom = limit.top + (colour ? shape.bmHeight : shape.bmHeight / 2) - 1;
    }
    EXPECT_EQ(GetObjectType(mask), 0u);
    EXPECT_TRUE(colour == nullptr || GetObjectType(colour) == 0);
    ScreenSnapshot snapshot(RECT{200, 150, 500, 450});
    Fill(snapshot.outputDC, snapshot.size, kGround);
    DrawCursorImage(snapshot.outputDC, snapshot.Origin());
    int changed = 0;
    const RECT drawn = BoundsOf(snapshot.outputDC, snapshot.size, kGround, true, &changed);
    EXPECT_GT(changed, 20);
    RECT both = {};
    UnionRect(&both, &drawn, &limit);
    EXPECT_TRUE(Same(both, limit));
    EXPECT_FALSE(CursorBitmaps(nullptr).Valid());
    for (int toggle : {0, 1, 2}) {
        ToggleGuard cursorToggle(TextCursorToggle, toggle);
        EXPECT_EQ(CursorCaptureOn(), toggle == 1);
    }
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
        {{100, 100}, {0, 0, 1920, 1040}, {116, 116, 316, 136}}, {{100, 1020}, {0, 0, 1920, 1040}, {116, 988, 316, 1008}},
        {{1800, 100}, {0, 0, 1920, 1040}, {1568, 116, 1768, 136}}, {{1800, 1020}, {0, 0, 1920, 1040}, {1568, 988, 1768, 1008}},
        {{100, 1004}, {0, 0, 1920, 1040}, {116, 972, 316, 992}}, {{100, 1003}, {0, 0, 1920, 1040}, {116, 1019, 316, 1039}},
        {{1704, 100}, {0, 0, 1920, 1040}, {1472, 116, 1672, 136}}, {{1703, 100}, {0, 0, 1920, 1040}, {1719, 116, 1919, 136}},
        {{100, 570}, {0, 0, 1920, 600}, {116, 538, 316, 558}}};
    for (const Case& c : cases) EXPECT_TRUE(Same(PlaceMouseToolTip(c.point, {200, 20}, {32, 32}, c.work), c.expected)) << c.point.x << "," << c.point.y;
}

TEST(MouseToolTip, DrawnIntoTheOverlaysPictureOnly) {
    const std::wstring text = L" Handle=0x0000001C, Width=640, Height=480 ";
    const SIZE extent = TextExtent(text);
    const int cx = GetSystemMetrics(SM_CXCURSOR), cy = GetSystemMetrics(SM_CYCURSOR);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ScreenSnapshot snapshot;
    for (POINT point : {POINT{300, 200}, POINT{work.right - 5, work.bottom - 5}}) {
        const bool flipped = point.x > 300;
        PatBlt(snapshot.workDC, 0, 0, snapshot.size.cx, snapshot.size.cy, WHITENESS);
        DrawMouseToolTip(snapshot.workDC, snapshot.bounds, point, text);
        const RECT box = flipped ? RECT{point.x - extent.cx - cx, point.y - cy, 0, 0} : RECT{point.x + cx / 2, point.y + cy / 2, 0, 0};
        EXPECT_TRUE(Same(BoundsOf(snapshot.workDC, snapshot.size, 0x646464, false), {box.left, box.top, box.left + extent.cx, box.top + extent.cy}));
        // Dark text on the pale background inside the frame.
        int background = 0, ink = 0;
        for (LONG y = box.top + 1; y < box.top + extent.cy; ++y)
            for (LONG x = box.left + 1; x < box.left + extent.cx; ++x) ++(GetPixel(snapshot.workDC, x, y) == 0xE1FFFF ? background : ink);
        EXPECT_TRUE(background > ink && ink > 20) << background << " " << ink;
        EXPECT_EQ(GetPixel(snapshot.outputDC, box.left + 2, box.top + 2), GetPixel(snapshot.frozenDC, box.left + 2, box.top + 2));
    }
}

std::string AnsiClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<not opened>";
    if (HANDLE data = GetClipboardData(CF_TEXT)) text = static_cast<const char*>(GlobalLock(data)), GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Only with ClipBoard 3, in the thread's code page: two bytes for each Japanese character.
TEST(MouseToolTip, CopiedToTheClipboardOnlyWhenClipBoardIsThree) {
    const LCID locale = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT));
    const std::wstring text = L" ハンドル=0x0000001C, 幅=640, 高さ=480 ";
    for (int value : {0, 1, 2, 4, 3}) {
        SettingGuard clipboard(SectionSettings, KeyClipBoard, value);
        SetClipboardText(nullptr, L"before");
        CopyMouseToolTipText(nullptr, text);
        EXPECT_EQ(AnsiClipboardText(), value == 3 ? ToThreadAnsi(text) : "before") << value;
    }
    EXPECT_EQ(ToThreadAnsi(text).size(), text.size() + 7);
    SetThreadLocale(locale);
}

}  // namespace
}  // namespace Vorlune::Test
