#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "draw/Primitives.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"

namespace Vorlune {
namespace {

constexpr COLORREF kSentinel = RGB(0x5A, 0x3C, 0x1E);
constexpr COLORREF kColourA = RGB(0xFF, 0x00, 0x00);
constexpr COLORREF kColourB = RGB(0x00, 0xFF, 0x00);
constexpr int kWidth = 32;
constexpr int kHeight = 24;

using Pixel = std::pair<int, int>;

// A 24-bit top-down DIB section filled with the sentinel, selected into a memory DC that
// also holds a pen, brush and font of the test's own, so restoring them can be checked.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                unsigned char* p = bits_ + y * kStride + x * 3;
                p[0] = GetBValue(kSentinel);
                p[1] = GetGValue(kSentinel);
                p[2] = GetRValue(kSentinel);
            }
        oldBitmap_ = SelectObject(dc_, bitmap_);
        SelectObject(dc_, pen_);
        SelectObject(dc_, brush_);
        SelectObject(dc_, font_);
    }
    ~Canvas() {
        SelectObject(dc_, oldBitmap_);
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(pen_);
        DeleteObject(brush_);
        DeleteObject(font_);
    }
    HDC Dc() const { return dc_; }

    COLORREF At(int x, int y) const {
        const unsigned char* p = bits_ + y * kStride + x * 3;
        return RGB(p[2], p[1], p[0]);
    }

    // Every pixel in `expected` has its colour; every other pixel kept the sentinel.
    void Expect(const std::set<Pixel>& inA, const std::set<Pixel>& inB = {}) const {
        GdiFlush();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const COLORREF want = inB.count({x, y}) ? kColourB : inA.count({x, y}) ? kColourA : kSentinel;
                EXPECT_EQ(At(x, y), want) << "at (" << x << ", " << y << ")";
            }
    }

    void ExpectObjectsKept() const {
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), pen_);
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), brush_);
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), font_);
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_BITMAP), bitmap_);
    }

private:
    static constexpr int kStride = (kWidth * 3 + 3) & ~3;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    unsigned char* bits_ = nullptr;
    HPEN pen_ = CreatePen(PS_DOT, 1, RGB(1, 1, 1));
    HBRUSH brush_ = CreateSolidBrush(RGB(2, 2, 2));
    HFONT font_ = CreateFontW(10, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
};

std::set<Pixel> Row(int y, int x1, int x2) {
    std::set<Pixel> pixels;
    for (int x = x1; x <= x2; ++x) pixels.insert({x, y});
    return pixels;
}

std::set<Pixel> Column(int x, int y1, int y2) {
    std::set<Pixel> pixels;
    for (int y = y1; y <= y2; ++y) pixels.insert({x, y});
    return pixels;
}

std::set<Pixel> Join(std::initializer_list<std::set<Pixel>> parts) {
    std::set<Pixel> all;
    for (const auto& part : parts) all.insert(part.begin(), part.end());
    return all;
}

TEST(Primitives, LineLeavesOutItsEndPoint) {
    {
        Canvas canvas;
        DrawLine(canvas.Dc(), kColourA, 2, 3, 10, 3);
        canvas.Expect(Row(3, 2, 9));
        canvas.ExpectObjectsKept();
    }
    {
        Canvas canvas;
        DrawLine(canvas.Dc(), kColourA, 5, 20, 5, 1);
        canvas.Expect(Column(5, 2, 20));
        canvas.ExpectObjectsKept();
    }
    {
        Canvas canvas;
        DrawLine(canvas.Dc(), kColourA, 0, 0, 5, 5);
        canvas.Expect({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
    }
    {
        Canvas canvas;
        DrawLine(canvas.Dc(), kColourA, 7, 7, 7, 7);
        canvas.Expect({});
    }
}

TEST(Primitives, FilledRectangleOutlineAndInterior) {
    Canvas canvas;
    DrawFilledRectangle(canvas.Dc(), {3, 2, 10, 8}, kColourA, kColourB);
    std::set<Pixel> interior;
    for (int y = 3; y <= 6; ++y) interior.merge(Row(y, 4, 8));
    canvas.Expect(Join({Row(2, 3, 9), Row(7, 3, 9), Column(3, 2, 7), Column(9, 2, 7)}), interior);
    canvas.ExpectObjectsKept();
}

TEST(Primitives, FrameIncludesAllFourCorners) {
    Canvas canvas;
    DrawFrame(canvas.Dc(), {10, 10, 20, 15}, kColourA);
    canvas.Expect(Join({Row(10, 10, 20), Row(15, 10, 20), Column(10, 10, 15), Column(20, 10, 15)}));
    canvas.ExpectObjectsKept();
}

TEST(Primitives, BevelFrameInsideTheRect) {
    {
        Canvas canvas;
        DrawBevelFrame(canvas.Dc(), kColourA, kColourB, {0, 0, 4, 3});
        canvas.Expect({{0, 1}, {0, 0}, {1, 0}, {2, 0}}, {{3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}});
        canvas.ExpectObjectsKept();
    }
    {
        Canvas canvas;
        DrawBevelFrame(canvas.Dc(), kColourA, kColourB, {5, 4, 12, 10});
        canvas.Expect(Join({Column(5, 4, 8), Row(4, 5, 10)}), Join({Column(11, 4, 9), Row(9, 5, 11)}));
        canvas.ExpectObjectsKept();
    }
}

// Through the real INI file, read again on every call.
TEST(Primitives, AuxiliaryLineColourFromTheSetting) {
    const COLORREF expected[16] = {
        RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
        RGB(0, 128, 128), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
        RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    Settings().SetInt(SectionSettings, KeyAuxiliaryLineColor, 3);
    ASSERT_EQ(Settings().GetInt(SectionSettings, KeyAuxiliaryLineColor), 3);
    for (int index = 0; index < 16; ++index) {
        Settings().SetInt(SectionSettings, KeyAuxiliaryLineColor, index);
        EXPECT_EQ(GetAuxiliaryLineColor(), expected[index]) << index;
    }
    for (int index : {-1, 16, 1000}) {
        Settings().SetInt(SectionSettings, KeyAuxiliaryLineColor, index);
        EXPECT_EQ(GetAuxiliaryLineColor(), 0x0000FFu) << index;
    }
    WritePrivateProfileStringW(L"Settings", L"AuxiliaryLineColor", nullptr, Settings().Path().c_str());
    EXPECT_EQ(GetAuxiliaryLineColor(), 0x0000FFu);  // the default, 9
    Settings().SetInt(SectionSettings, KeyAuxiliaryLineColor, 12);
    EXPECT_EQ(GetAuxiliaryLineColor(), 0xFF0000u);
    WritePrivateProfileStringW(L"Settings", L"AuxiliaryLineColor", nullptr, Settings().Path().c_str());
}

}  // namespace
}  // namespace Vorlune
