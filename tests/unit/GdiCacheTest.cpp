#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "app/AppContext.h"
#include "draw/GdiObjectCache.h"

namespace Vorlune {
namespace {

TEST(GdiCache, SameRequestSameHandle) {
    GdiObjectCache& cache = GdiCache();
    EXPECT_EQ(&cache, &GdiCache());
    const COLORREF colour = RGB(0x12, 0x34, 0x56);
    HPEN pen = cache.GetPen(1, colour).get();  // the caller's share is gone after this line
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(cache.GetPen(1, colour).get(), pen);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    HPEN wide = cache.GetPen(2, colour).get();
    EXPECT_NE(wide, pen);
    EXPECT_NE(cache.GetPen(1, colour + 1).get(), pen);
    HPEN odd = cache.GetPen(7, colour).get();
    EXPECT_EQ(cache.GetPen(7, colour).get(), odd);

    LOGPEN logPen = {};
    ASSERT_EQ(GetObjectW(pen, sizeof logPen, &logPen), static_cast<int>(sizeof logPen));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(logPen.lopnWidth.x, 1);
    EXPECT_EQ(logPen.lopnColor, colour);
    ASSERT_EQ(GetObjectW(wide, sizeof logPen, &logPen), static_cast<int>(sizeof logPen));
    EXPECT_EQ(logPen.lopnWidth.x, 2);

    HBRUSH brush = cache.GetBrush(colour).get();
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(cache.GetBrush(colour).get(), brush);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_NE(cache.GetBrush(colour + 1).get(), brush);
    LOGBRUSH logBrush = {};
    ASSERT_EQ(GetObjectW(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logBrush.lbColor, colour);
}

TEST(GdiCache, FontsAsRequested) {
    GdiObjectCache& cache = GdiCache();
    EXPECT_EQ(cache.GetFont(0).get(), cache.GetFont(0).get());
    EXPECT_NE(cache.GetFont(0).get(), cache.GetFont(1).get());
    const LONG heights[] = {22, 12};
    for (FontId id : {0, 1}) {
        SCOPED_TRACE(id);
        LOGFONTW font = {};
        ASSERT_EQ(GetObjectW(cache.GetFont(id).get(), sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, heights[id]);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfEscapement, 0);
        EXPECT_EQ(font.lfOrientation, 0);
        EXPECT_EQ(font.lfWeight, 500);
        EXPECT_EQ(font.lfItalic + font.lfUnderline + font.lfStrikeOut, 0);
        EXPECT_EQ(font.lfCharSet, 128);
        EXPECT_EQ(font.lfOutPrecision, 0);
        EXPECT_EQ(font.lfClipPrecision, 0);
        EXPECT_EQ(font.lfQuality, 2);
        EXPECT_EQ(font.lfPitchAndFamily, 0x22);
        EXPECT_STREQ(font.lfFaceName, L"\u30E1\u30A4\u30EA\u30AA");
    }
    EXPECT_THROW(cache.GetFont(2), std::out_of_range);
    EXPECT_THROW(cache.GetFont(-1), std::out_of_range);
}

// The face the program asks for must reach a font that has both Japanese and Latin glyphs,
// or every Japanese text is drawn as boxes.
TEST(GdiCache, FontHasJapaneseAndLatinGlyphs) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ before = SelectObject(dc, GdiCache().GetFont(0).get());
    AppContext context;
    for (int language : {0, 1}) {
        context.Language = language;
        for (TextId id : {TextRectangleButton, TextCursorToggle, TextSaveFolderNotFound, TextDeleteImages}) {
            const std::wstring text = context.GetText(id);
            std::vector<WORD> glyphs(text.size());
            ASSERT_EQ(GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                       GGI_MARK_NONEXISTING_GLYPHS),
                      text.size());
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] == L'\r' || text[i] == L'\n') continue;
                EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for U+" << std::hex << static_cast<int>(text[i]);
            }
        }
    }
    TEXTMETRICW metrics = {};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    SelectObject(dc, before);
    DeleteDC(dc);
}

TEST(GdiCache, HandlesDeletedWithTheCacheOnly) {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    {
        GdiObjectCache cache;
        pen = cache.GetPen(1, RGB(1, 2, 3)).get();
        brush = cache.GetBrush(RGB(1, 2, 3)).get();
        font = cache.GetFont(1).get();
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);

    HPEN own = CreatePen(PS_SOLID, 1, 0);
    Deleter<HPEN>()(own);
    EXPECT_EQ(GetObjectType(own), 0u);
    Deleter<HPEN>()(nullptr);
}

// Uses up the process's GDI handles so that creation fails, then frees them again.
class GdiExhaustion {
public:
    GdiExhaustion() {
        for (int i = 0; i < 1000000; ++i) {
            HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 0, 0));
            if (brush == nullptr) break;
            held_.push_back(brush);
        }
    }
    ~GdiExhaustion() { FreeAll(); }
    bool Exhausted() const {
        HPEN pen = CreatePen(PS_SOLID, 1, 0);
        if (pen == nullptr) return true;
        DeleteObject(pen);
        return false;
    }
    void FreeSome() {
        for (int i = 0; i < 16 && !held_.empty(); ++i) {
            DeleteObject(held_.back());
            held_.pop_back();
        }
    }
    void FreeAll() {
        for (HBRUSH brush : held_) DeleteObject(brush);
        held_.clear();
    }

private:
    std::vector<HBRUSH> held_;
};

TEST(GdiCache, FailedCreationTriedAgain) {
    std::unique_ptr<GdiObjectCache> cache;
    {
        GdiExhaustion exhaustion;
        ASSERT_TRUE(exhaustion.Exhausted());
        cache = std::make_unique<GdiObjectCache>();
        EXPECT_EQ(cache->GetPen(1, RGB(9, 8, 7)).get(), nullptr);
        EXPECT_EQ(cache->GetBrush(RGB(9, 8, 7)).get(), nullptr);
        EXPECT_EQ(cache->GetFont(0).get(), nullptr);
        exhaustion.FreeSome();
        HPEN pen = cache->GetPen(1, RGB(9, 8, 7)).get();
        HBRUSH brush = cache->GetBrush(RGB(9, 8, 7)).get();
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
        EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(cache->GetPen(1, RGB(9, 8, 7)).get(), pen);
        EXPECT_EQ(cache->GetBrush(RGB(9, 8, 7)).get(), brush);
    }
    HFONT font = cache->GetFont(0).get();
    ASSERT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(cache->GetFont(0).get(), font);
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    EXPECT_EQ(logFont.lfHeight, 22);
    EXPECT_NE(cache->GetFont(1).get(), nullptr);
}

}  // namespace
}  // namespace Vorlune
