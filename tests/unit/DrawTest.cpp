// The GDI cache, the primitives, the cursor painter and the mouse tooltip, on real DCs.
#include <gtest/gtest.h>

#include <functional>

#include "Capture/Dib.h"
#include "Output.h"
#include "Screen.h"
#include "SettingGuard.h"
#include "app/AppContext.h"
#include "draw/CursorPainter.h"
#include "draw/GdiObjectCache.h"
#include "draw/MouseToolTip.h"
#include "draw/Primitives.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"
#include "ui/TextConversion.h"

namespace Vorlune::Test {
namespace {

constexpr COLORREF kGround = 0x1E3C5A, kA = 0x0000FF, kB = 0x00FF00;

// Creation fails while the process holds every GDI handle it may have, and is tried again later.
TEST(GdiCache, AFailedCreationIsTriedAgain) {
    std::vector<OwnedBrush> held;
    for (HBRUSH b; held.size() < 1000000 && (b = CreateSolidBrush(RGB(held.size() & 0xFF, 0, 0))) != nullptr;)
        held.emplace_back(b);
    GdiObjectCache cache;
    const bool failed = !cache.GetPen(2, 0x070809) && !cache.GetBrush(0x070809) && !cache.GetFont(0);
    held.clear();
    ASSERT_TRUE(failed);
    EXPECT_EQ(GetObjectType(cache.GetPen(2, 0x070809).get()), DWORD(OBJ_PEN));
    EXPECT_EQ(GetObjectType(cache.GetBrush(0x070809).get()), DWORD(OBJ_BRUSH));
}

TEST(GdiCache, TheTwoFontsAreTheUiFaceAtTheirSizes) {
    GdiObjectCache cache;
    for (FontId id : {0, 1}) {
        LOGFONTW f = {};
        ASSERT_EQ(GetObjectW(cache.GetFont(id).get(), sizeof f, &f), int(sizeof f));
        EXPECT_EQ(f.lfHeight, id == 0 ? 22 : 12);
        EXPECT_EQ(f.lfWeight, 500);
        EXPECT_EQ(f.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(f.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(f.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
        EXPECT_STREQ(f.lfFaceName, L"メイリオ");
    }
    EXPECT_THROW(cache.GetFont(2), std::out_of_range);
}

// Exactly the pixels in rectangle a (right and bottom included) take colour a, those in b colour b,
// and the DC keeps the objects it had.
void ExpectOnlyTheirPixels(const std::function<void(HDC)>& draw, const RECT& a, const RECT& b = {0, 0, -1, -1}) {
    const GdiObject<HGDIOBJ> objects[] = {
        GdiObject<HGDIOBJ>(CreatePen(PS_DOT, 1, 0x010101)), GdiObject<HGDIOBJ>(CreateSolidBrush(0x020202)),
        GdiObject<HGDIOBJ>(CreateFontW(10, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"))};
    const MemorySurface canvas(CreateDib24(32, 24));
    const RECT all = {0, 0, 32, 24};
    FillRect(canvas.dc(), &all, OwnedBrush(CreateSolidBrush(kGround)).get());
    for (const auto& object : objects) SelectObject(canvas.dc(), object.get());
    draw(canvas.dc());
    const auto in = [](const RECT& r, int x, int y) {
        return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
    };
    int wrong = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            wrong += GetPixel(canvas.dc(), x, y) != (in(b, x, y) ? kB : in(a, x, y) ? kA : kGround);
    EXPECT_EQ(wrong, 0);
    for (const auto& object : objects)
        EXPECT_EQ(GetCurrentObject(canvas.dc(), GetObjectType(object.get())), object.get());
    for (int stock : {BLACK_PEN, WHITE_BRUSH, SYSTEM_FONT}) SelectObject(canvas.dc(), GetStockObject(stock));
}

TEST(Primitives, ALineLeavesOutItsEndPoint) {
    ExpectOnlyTheirPixels([](HDC dc) { DrawLine(dc, kA, 2, 3, 10, 3); }, {2, 3, 9, 3});
}

TEST(Primitives, AFilledRectangleLeavesOutItsRightAndBottom) {
    const auto draw = [](HDC dc) { DrawFilledRectangle(dc, {3, 2, 10, 8}, kA, kB); };
    ExpectOnlyTheirPixels(draw, {3, 2, 9, 7}, {4, 3, 8, 6});
}

// Inside it, what was there stays; too small for its width, it is full.
TEST(Primitives, AWideFrameGrowsInwards) {
    const auto framed = [](HDC dc) {
        const RECT inside = {5, 4, 9, 7};
        FillRect(dc, &inside, GdiCache().GetBrush(kB).get());
        DrawFrame(dc, {3, 2, 10, 8}, kA, 2);
    };
    ExpectOnlyTheirPixels(framed, {3, 2, 10, 8}, {5, 4, 8, 6});
    ExpectOnlyTheirPixels([](HDC dc) { DrawFrame(dc, {3, 2, 6, 12}, kA, 3); }, {3, 2, 6, 12});
}

// Pixel for pixel, also where the surface's edge cuts the ring.
TEST(CursorPainter, TheMarkerIsTheEllipseOfAPenAsWideAsALine) {
    const SIZE size = {200, 150};
    for (int dpi : {96, 144, 192})
        for (POINT p : {POINT{100, 75}, {8, 140}}) {
            const MemorySurface want(CreateDib24(size.cx, size.cy)), got(CreateDib24(size.cx, size.cy));
            const SelectGuard pen(want.dc(), GdiCache().GetPen(LineWidth(dpi), kA).get());
            const SelectGuard brush(want.dc(), GetStockObject(NULL_BRUSH));
            const int r = Scaled(30, dpi);
            Ellipse(want.dc(), p.x - r, p.y - r, p.x + r, p.y + r);
            DrawCursorMarker(got.dc(), p, kA, dpi);
            EXPECT_TRUE(SurfacePixels(want.dc(), size) == SurfacePixels(got.dc(), size)) << dpi << " " << p.x;
        }
}

HWND Handle(unsigned long long value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }

TEST(MouseToolTip, TextInBothLanguages) {
    const int language = App().Language;
    App().Language = 0;
    EXPECT_EQ(BuildMouseToolTipText(Handle(0x1C), RECT{0, 0, 640, 480}), L" ハンドル=0x0000001C, 幅=640, 高さ=480 ");
    App().Language = 1;
    EXPECT_EQ(BuildMouseToolTipText(Handle(0xABCDEF), RECT{-20, 100, 300, 350}),
              L" Handle=0x00ABCDEF, Width=320, Height=250 ");
    // Only the low 32 bits of a handle count.
    EXPECT_EQ(BuildMouseToolTipText(Handle(0x12345678'9abcdef0ull), RECT{0, 0, 1, 1}),
              L" Handle=0x9ABCDEF0, Width=1, Height=1 ");
    App().Language = language;
}

// Below and right of the cursor; above it where it would reach the work area's bottom, left
// of it where it would reach the right, touching counting as reaching.
TEST(MouseToolTip, PlacementFlipsAtTheWorkAreasEdges) {
    struct Case {
        POINT point;
        RECT expected;
    } cases[] = {{{1800, 1020}, {1568, 988, 1768, 1008}},
                 {{100, 1004}, {116, 972, 316, 992}},
                 {{100, 1003}, {116, 1019, 316, 1039}},
                 {{1704, 100}, {1472, 116, 1672, 136}},
                 {{1703, 100}, {1719, 116, 1919, 136}}};
    for (const Case& c : cases)
        EXPECT_EQ(ToCore(PlaceMouseToolTip(c.point, {200, 20}, {32, 32}, {0, 0, 1920, 1040})), ToCore(c.expected))
            << c.point.x << "," << c.point.y;
}

// Only with ClipBoard 3: in the thread's code page (two bytes for each Japanese character), and
// whole as Unicode, which the input language's code page would not convert back.
TEST(MouseToolTip, CopiedToTheClipboardInBothTextFormatsOnlyWhenClipBoardIsThree) {
    const LCID locale = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT));
    const std::wstring text = L" ハンドル=0x0000001C, 幅=640, 高さ=480 ";
    for (int value : {0, 3}) {
        SettingGuard clipboard(SectionSettings, KeyClipBoard, value);
        SetClipboardText(nullptr, L"before");
        CopyMouseToolTipText(nullptr, text);
        EXPECT_EQ(ClipboardText(), value == 3 ? ToThreadAnsi(text) : "before") << value;
        const std::vector<unsigned char> wide = ClipboardBytes(CF_UNICODETEXT);
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / 2).c_str(),
                  value == 3 ? text : L"before");
    }
    EXPECT_EQ(ToThreadAnsi(text).size(), text.size() + 7);
    SetThreadLocale(locale);
}

}  // namespace
}  // namespace Vorlune::Test
