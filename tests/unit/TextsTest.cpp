// The text table, its conversions to the thread's code page, the error reports built from
// them, and the version line read from an executable's resource.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "Capture/CaptureErrors.h"
#include "Scratch.h"
#include "app/AppContext.h"
#include "settings/TextConversion.h"
#include "settings/VersionInfo.h"

namespace Vorlune::Test {
namespace {

TEST(TextTable, EntriesInBothLanguages) {
    // The missing folder's text is read in both languages on the real program.
    struct Entry { TextId id; const wchar_t *japanese, *english; } entries[] = {
        {TextId(0), L"矩形の切り取り", L"Cut out a rectangle"}, {TextId(5), L"ズームウィンドウ OFF\uFF0FON", L"Zoom window OFF\uFF0FON"},
        {TextId(35), L"矩形", L"Rectanglel"}, {TextId(79), L"秒", L"Sec."}};
    AppContext context;
    for (const Entry& entry : entries)
        EXPECT_EQ(std::wstring(context.texts[entry.id][0]) + L"|" + context.texts[entry.id][1],
                  std::wstring(entry.japanese) + L"|" + entry.english);
    // Every entry filled, in the right column; only 10 and 80 are blank, and 40 in a program
    // without a version resource. The language toggle and the web page read the same in both.
    for (int id = 0; id < TextCount; ++id) {
        const std::wstring japanese = context.texts[id][0], english = context.texts[id][1];
        const bool blank = id == 10 || id == 80 || id == 40;
        EXPECT_EQ(japanese.empty() || english.empty(), blank) << id;
        if (blank || id == 9 || id == 41) continue;
        EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) { return c > 0x7F; })) << id;
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](wchar_t c) { return c < 0x7F || c == 0xFF0F; })) << id;
    }
    EXPECT_EQ(context.texts[41][0], context.texts[41][1]);
    EXPECT_EQ(context.texts[41][0].rfind(L"https://", 0), 0u);
}

// Sets the thread locale for a test and restores it.
struct ThreadLocale {
    LCID saved = GetThreadLocale();
    explicit ThreadLocale(LANGID language) { SetThreadLocale(MAKELCID(language, SORT_DEFAULT)); }
    ~ThreadLocale() { SetThreadLocale(saved); }
};

const std::string kErrorSjis = "\x83\x47\x83\x89\x81\x5B";  // "エラー" in code page 932

TEST(NarrowText, LongTextsConvertedWhole) {
    ThreadLocale japanese(0x411);
    const std::string long932 = ToThreadAnsi(std::wstring(10000, L'\u30A8'));
    ASSERT_EQ(long932.size(), 20000u);
    EXPECT_EQ(long932.substr(19998), "\x83\x47");
    EXPECT_EQ(ToCodePage(std::wstring(10000, L'\u30A8'), CP_UTF8).size(), 30000u);
}

// Both reports in the thread's code page: "【" and "】" where it has them, else plain brackets.
TEST(ErrorReports, InBothLanguagesAndCodePages) {
    const std::string output = "\r\n\r\nFile=D.cpp\r\nLine=-7\r\nGetLastError()=4294967295\r\n";
    const std::string overlay = "\r\n\r\nD.cpp\r\n-7\r\n4294967295\r\n";
    const std::string bitmapSjis = "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76\x90\xB6\x90\xAC\x8E\xB8\x94\x73";
    const std::string windowSjis = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x90\xB6\x90\xAC\x8E\xB8\x94\x73";
    struct Case { LANGID locale; int language; bool capture; std::string expected; } cases[] = {
        {0x411, 0, false, kErrorSjis + "\r\n" + bitmapSjis + output},
        {0x409, 0, false, "???\r\n??????????" + output},  // no Japanese in code page 1252
        {0x411, 0, true, "\x81\x79" + kErrorSjis + "\x81\x7A\r\n" + windowSjis + overlay},
        {0x409, 1, true, "[Error]\r\nWindow creation failed" + overlay}};
    for (const Case& c : cases) {
        ThreadLocale locale(c.locale);
        App().Language = c.language;
        const std::string report = c.capture ? CaptureException("D.cpp", -7, 0xFFFFFFFF).what()
                                             : AnExceptionImpl(TextBitmapCreationFailed, "D.cpp", -7, 0xFFFFFFFF).what();
        EXPECT_EQ(report, c.expected) << c.locale << "/" << c.language << "/" << c.capture;
    }
    App().Language = 0;
}

constexpr wchar_t kNotice[] = L"Copyright (C) 2026 The Glimra authors";

using Block = std::vector<unsigned char>;
void PutWord(Block& b, size_t at, unsigned value) { b[at] = BYTE(value), b[at + 1] = BYTE(value >> 8); }

// Where a key's text starts in a version block; its node starts six bytes before.
size_t KeyAt(const Block& b, const std::wstring& key) {
    const auto* text = reinterpret_cast<const unsigned char*>(key.c_str());
    return std::search(b.begin(), b.end(), text, text + key.size() * 2) - b.begin();
}

// Copies of Glimra.exe with the version block damaged or gone: a missing resource, a failed
// query or a value shorter than it must be leaves its text empty.
TEST(VersionLine, FromTheResourceWholeOrDamaged) {
    HMODULE exe = LoadLibraryExW(GlimraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(exe, found)));
    Block whole(bytes, bytes + SizeofResource(exe, found));
    FreeLibrary(exe);
    // File version 1.2.3.4, so the order of its parts shows.
    for (unsigned part = 0; part < 4; ++part) PutWord(whole, 48 + (part ^ 1) * 2, part + 1);
    ScratchDir folder;
    struct Case { const wchar_t* name; std::function<void(Block&)> damage; const wchar_t *version, *notice; } cases[] = {
        {L"whole.exe", nullptr, L"1.2.3.4", kNotice},
        {L"none.exe", [](Block& b) { b.clear(); }, L"", L""},
        {L"notranslation.exe", [](Block& b) { b[KeyAt(b, L"Translation")] = 'X'; }, L"1.2.3.4", L""},
        // The fixed part cut to 8 of its 52 bytes (it starts at 40), the lengths told.
        {L"shortfixed.exe", [](Block& b) { b.erase(b.begin() + 48, b.begin() + 92), PutWord(b, 0, b[0] + b[1] * 256 - 44), PutWord(b, 2, 8); },
         L"", kNotice},
        // A short length still has the code page behind it, where a careless reader finds it.
        {L"shorttranslation.exe", [](Block& b) { PutWord(b, KeyAt(b, L"Translation") - 4, 2); }, L"1.2.3.4", L""},
        {L"othertranslation.exe", [](Block& b) { PutWord(b, KeyAt(b, L"Translation") + 26, 0x0409); }, L"1.2.3.4", L""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        Block block = whole;
        if (c.damage) c.damage(block);
        const std::wstring path = folder / c.name;
        ASSERT_TRUE(CopyFileW(GlimraExePath().c_str(), path.c_str(), FALSE));
        HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
        if (!block.empty())
            UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), 0, block.data(), DWORD(block.size()));
        ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
        AppContext context(path);
        const std::wstring japanese = context.GetText(TextVersion);
        context.Language = 1;
        EXPECT_EQ(japanese + L"|" + context.GetText(TextVersion) + L"|" + context.GetText(TextLegalNotice),
                  std::wstring(L" バージョン ") + c.version + L"| Version " + c.version + L"|" + c.notice);
    }
    AppContext real(GlimraExePath());
    EXPECT_EQ(real.GetText(TextVersion) + L"|" + real.GetText(TextLegalNotice), std::wstring(L" バージョン 1.0.0.0|") + kNotice);
}

}  // namespace
}  // namespace Vorlune::Test
