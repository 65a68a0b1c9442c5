#include "core/Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace Vorlune {
namespace {

TEST(TextTable, EntriesInBothLanguages) {
    // The missing folder's text is read in both languages on the real program.
    struct Entry {
        TextId id;
        const wchar_t *japanese, *english;
    } entries[] = {{TextRectangleButton, L"矩形の切り取り", L"Cut out a rectangle"},
                   {TextZoomToggle, L"ズームウィンドウ OFF\uFF0FON", L"Zoom window OFF\uFF0FON"},
                   {TextRectanglePage, L"矩形", L"Rectanglel"},
                   {TextSeconds, L"秒", L"Sec."},
                   {TextImageFormatPng, L"PNG (可逆圧縮)", L"PNG (lossless, compressed)"},
                   {TextHotKeyTakenElsewhere, L"他のプログラムが使用中", L"In use by another program"},
                   {TextHotKeyTakenTwice, L"他のコマンドが使用中", L"In use by another command"},
                   {TextMarkUpToggle, L"切り取り後にマークアップ OFF\uFF0FON", L"Mark up before output OFF\uFF0FON"},
                   {TextDiscardMarks, L"マークを破棄しますか？", L"Discard the marks?"},
                   {TextScrollHeight, L"高さ (ピクセル):", L"Height in pixels:"},
                   {TextToolFill, L"塗りつぶし (Shift+F)", L"Fill (Shift+F)"}};
    const TextTable texts = BuiltInTexts();
    for (const Entry& entry : entries)
        EXPECT_EQ(std::wstring(texts[entry.id][0]) + L"|" + texts[entry.id][1],
                  std::wstring(entry.japanese) + L"|" + entry.english);
    // Every entry filled, in the right column; only two are blank, and the two the version
    // resource fills. The language toggle and the web page read the same in both.
    for (int id = 0; id < TextCount; ++id) {
        const std::wstring japanese = texts[id][0], english = texts[id][1];
        const bool blank = id == TextSystemButton || id == TextUnused || id == TextVersion || id == TextLegalNotice;
        EXPECT_EQ(japanese.empty() || english.empty(), blank) << id;
        if (blank || id == TextLanguageToggle || id == TextWebPage) continue;
        EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) { return c > 0x7F; })) << id;
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](wchar_t c) { return c < 0x7F || c == 0xFF0F; }))
            << id;
    }
    EXPECT_EQ(texts[TextWebPage][0], texts[TextWebPage][1]);
    EXPECT_EQ(texts[TextWebPage][0].rfind(L"https://", 0), 0u);
}

}  // namespace
}  // namespace Vorlune
