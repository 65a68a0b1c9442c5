#include <gtest/gtest.h>

#include "settings/TextConversion.h"
#include "ui/VirtualScreen.h"

#include <algorithm>

#include "app/AppContext.h"
#include "settings/VersionInfo.h"
#include "Scratch.h"

namespace Vorlune {
namespace {

// Expected texts are written with escapes for the characters that are easy to get wrong.
struct BothLanguages {
    int id;
    const wchar_t* japanese;
    const wchar_t* english;
};

constexpr BothLanguages kExact[] = {
    {0, L"\u77E9\u5F62\u306E\u5207\u308A\u53D6\u308A", L"Cut out a rectangle"},
    {5, L"\u30BA\u30FC\u30E0\u30A6\u30A3\u30F3\u30C9\u30A6 OFF\uFF0FON", L"Zoom window OFF\uFF0FON"},
    {6, L"\u30C8\u30C3\u30D7\u30A6\u30A3\u30F3\u30C9\u30A6\uFF0F\u5168\u30A6\u30A3\u30F3\u30C9\u30A6",
     L"Top window\uFF0FAll windows"},
    {9, L"Japanese\uFF0FEnglish", L"Japanese\uFF0FEnglish"},
    {10, L"", L""},
    {13, L"\u30DE\u30A6\u30B9\u30AB\u30FC\u30BD\u30EB\u30AD\u30E3\u30C3\u30D7\u30C1\u30E3 OFF\uFF0FON",
     L"Capture mouse cursor OFF\uFF0FON"},
    {16, L"\u9AD8\u3055", L"Height"},
    {17, L"\u30A8\u30E9\u30FC", L"Error"},
    {26,
     L"\u5207\u308A\u53D6\u308A\u753B\u50CF\u306E\u4E00\u6642\u4FDD\u5B58\u30D5\u30A9\u30EB\u30C0\u304C\u5B58\u5728"
     L"\u3057\u307E\u305B\u3093\u3002\r\n\u8A2D\u5B9A\u753B\u9762\u3067\u6B63\u3057\u3044\u30D1\u30B9\u3092\u8A2D"
     L"\u5B9A\u3057\u3066\u4E0B\u3055\u3044\u3002",
     L"Folder for temporary saving images does not exist.\r\nSet the correct path in the settings dialog."},
    {27, L"\u8A2D\u5B9A\u3092\u521D\u671F\u5024\u306B\u623B\u3057\u307E\u3059\u3002\u3088\u308D\u3057\u3044\u3067"
         L"\u3059\u304B\uFF1F",
     L"Do you want to reset the settings to the default values?"},
    {35, L"\u77E9\u5F62", L"Rectanglel"},
    {49,
     L"\u30AF\u30EA\u30C3\u30D7\u30DC\u30FC\u30C9\u306B\u306E\u307F\u30B3\u30D4\u30FC\u3059\u308B ( \u95B2\u89A7"
     L"\u30A2\u30D7\u30EA\u3092\u8D77\u52D5\u3057\u306A\u3044 )",
     L"Copy only to clipboard (Do not launch browsing app)"},
    {59, L"\u9ED2", L"Black"},
    {74, L"\u767D", L"White"},
    {79, L"\u79D2", L"Sec."},
    {80, L"", L""},
};

TEST(TextTable, EntriesEasyToGetWrongInBothLanguages) {
    AppContext context;
    for (const BothLanguages& entry : kExact) {
        SCOPED_TRACE(entry.id);
        context.Language = 0;
        EXPECT_EQ(context.GetText(static_cast<TextId>(entry.id)), entry.japanese);
        context.Language = 1;
        EXPECT_EQ(context.GetText(static_cast<TextId>(entry.id)), entry.english);
    }
}

TEST(TextTable, EveryEntryFilledInTheRightColumn) {
    AppContext context;
    for (int id = 0; id < TextCount; ++id) {
        SCOPED_TRACE(id);
        const std::wstring japanese = context.texts[id][0];
        const std::wstring english = context.texts[id][1];
        const bool blank = id == 10 || id == 80 || id == 40;  // 40: this test program has no legal notice
        EXPECT_EQ(japanese.empty(), blank);
        EXPECT_EQ(english.empty(), blank);
        // Only the language toggle, the notice and the web page read the same in both.
        if (!blank && id != 9 && id != 41) {
            EXPECT_NE(japanese, english);
            EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) { return c > 0x7F; }));
            EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](wchar_t c) { return c < 0x7F || c == 0xFF0F; }));
        }
    }
    EXPECT_EQ(context.texts[41][0], context.texts[41][1]);
    EXPECT_EQ(context.texts[41][0].rfind(L"https://", 0), 0u);
}

TEST(TextTable, LanguageRuleAndContextStart) {
    AppContext context;
    EXPECT_EQ(context.Language, 0);
    EXPECT_TRUE(context.title.empty());
    EXPECT_EQ(context.instance, nullptr);
    EXPECT_EQ(context.GetText(TextSettingsButton), L"\u8A2D\u5B9A");
    context.Language = 1;
    EXPECT_EQ(context.GetText(TextSettingsButton), L"Settings");
    context.Language = 0;
    EXPECT_EQ(context.GetText(TextSettingsButton), L"\u8A2D\u5B9A");
    EXPECT_EQ(&App(), &App());
}

// This test program carries no version resource: the version line keeps only its prefix.
TEST(TextTable, WithoutVersionResourceOnlyThePrefix) {
    AppContext context;
    EXPECT_EQ(context.GetText(TextVersion), L" \u30D0\u30FC\u30B8\u30E7\u30F3 ");
    EXPECT_EQ(context.GetText(TextLegalNotice), L"");
    context.Language = 1;
    EXPECT_EQ(context.GetText(TextVersion), L" Version ");

    Vorlune::Test::ScratchDir folder;
    Vorlune::Test::WriteBytes(folder / L"plain.txt", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'e', 'x', 'e'});
    for (const std::wstring& path : std::initializer_list<std::wstring>{RunningModulePath(), folder / L"plain.txt", folder / L"missing.exe",
                                     std::wstring(), std::wstring(600, L'x')}) {
        const VersionTexts texts = ReadVersionTexts(path);
        EXPECT_EQ(texts.fileVersion, L"");
        EXPECT_EQ(texts.legalNotice, L"");
    }
}

TEST(TextTable, VersionFormatting) {
    EXPECT_EQ(FormatFileVersion(MAKELONG(2, 1), MAKELONG(4, 3)), L"1.2.3.4");
    EXPECT_EQ(FormatFileVersion(MAKELONG(0, 65535), MAKELONG(65535, 0)), L"65535.0.0.65535");
    EXPECT_EQ(LegalCopyrightQuery(0x0411, 1200), L"\\StringFileInfo\\041104B0\\LegalCopyright");
    EXPECT_EQ(LegalCopyrightQuery(0x0409, 0x04E4), L"\\StringFileInfo\\040904E4\\LegalCopyright");
}

// Restores the thread locale the test changed.
class ThreadLocale {
public:
    explicit ThreadLocale(LANGID language) : saved_(GetThreadLocale()) {
        ok_ = SetThreadLocale(MAKELCID(language, SORT_DEFAULT)) != FALSE;
    }
    ~ThreadLocale() { SetThreadLocale(saved_); }
    bool Ok() const { return ok_; }

private:
    LCID saved_;
    bool ok_ = false;
};

TEST(NarrowText, JapaneseCodePageGivesShiftJisBytes) {
    ThreadLocale japanese(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN));
    ASSERT_TRUE(japanese.Ok());
    // The thread code page must really follow the locale, or the check below proves nothing.
    ASSERT_EQ(ToThreadAnsi(L"\u3042"), "\x82\xA0");
    AppContext context;
    EXPECT_EQ(context.GetTextNarrow(TextError), std::string("\x83\x47\x83\x89\x81\x5B", 6));
    context.Language = 1;
    EXPECT_EQ(context.GetTextNarrow(TextError), "Error");
    EXPECT_EQ(context.GetTitleNarrow(), "");
    context.title = L"Glimra";
    EXPECT_EQ(context.GetTitleNarrow(), "Glimra");
    const std::string long932 = ToThreadAnsi(std::wstring(10000, L'\u30A8'));
    ASSERT_EQ(long932.size(), 20000u);
    EXPECT_EQ(long932.substr(19998), "\x83\x47");
}

TEST(NarrowText, Utf8IsNeverEmpty) {
    const std::wstring error = L"\u30A8\u30E9\u30FC";
    const std::string utf8Error = "\xE3\x82\xA8\xE3\x83\xA9\xE3\x83\xBC";
    EXPECT_EQ(ToCodePage(error, CP_UTF8), utf8Error);
    EXPECT_EQ(ToCodePage(std::wstring(10000, L'\u30A8'), CP_UTF8).size(), 30000u);
    AppContext context;
    const std::string message = ToCodePage(context.GetText(TextSaveFolderNotFound), CP_UTF8);
    EXPECT_EQ(message, "切り取り画像の一時保存フォルダが存在しません。\r\n設定画面で正しいパスを設定して下さい。");

    // A locale without an ANSI code page: Wine gives the thread UTF-8 then.
    ThreadLocale hindi(MAKELANGID(LANG_HINDI, SUBLANG_DEFAULT));
    ASSERT_TRUE(hindi.Ok());
    if (ToThreadAnsi(L"\u00E9") != "\xC3\xA9") GTEST_SKIP() << "the thread code page cannot be UTF-8 here";
    EXPECT_EQ(context.GetTextNarrow(TextError), utf8Error);
    EXPECT_EQ(ToThreadAnsi(context.GetText(TextSaveFolderNotFound)), message);
}

TEST(NarrowText, WesternCodePageUsesTheDefaultCharacter) {
    ThreadLocale english(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_TRUE(english.Ok());
    AppContext context;
    // On the machine's own locale the thread code page is the process one.
    if (GetACP() != 1252) GTEST_SKIP() << "the process code page is not 1252";
    EXPECT_EQ(context.GetTextNarrow(TextError), "???");
    EXPECT_EQ(ToThreadAnsi(L""), "");
}

}  // namespace
}  // namespace Vorlune
