// The text table, the error reports built from it, and the version line from an executable's resource.
#include <gtest/gtest.h>

#include <algorithm>

#include "Capture/CaptureErrors.h"
#include "Scratch.h"
#include "app/AppContext.h"
#include "settings/VersionInfo.h"
#include "ui/TextConversion.h"

namespace Vorlune::Test {
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
                   {TextHotKeyTakenTwice, L"他のコマンドが使用中", L"In use by another command"}};
    AppContext context;
    for (const Entry& entry : entries)
        EXPECT_EQ(std::wstring(context.texts[entry.id][0]) + L"|" + context.texts[entry.id][1],
                  std::wstring(entry.japanese) + L"|" + entry.english);
    // Every entry filled, in the right column; only two are blank, and the legal notice in a
    // program without a version resource. The language toggle and the web page read the same in both.
    for (int id = 0; id < TextCount; ++id) {
        const std::wstring japanese = context.texts[id][0], english = context.texts[id][1];
        const bool blank = id == TextSystemButton || id == TextUnused || id == TextLegalNotice;
        EXPECT_EQ(japanese.empty() || english.empty(), blank) << id;
        if (blank || id == TextLanguageToggle || id == TextWebPage) continue;
        EXPECT_TRUE(std::any_of(japanese.begin(), japanese.end(), [](wchar_t c) { return c > 0x7F; })) << id;
        EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](wchar_t c) { return c < 0x7F || c == 0xFF0F; }))
            << id;
    }
    EXPECT_EQ(context.texts[TextWebPage][0], context.texts[TextWebPage][1]);
    EXPECT_EQ(context.texts[TextWebPage][0].rfind(L"https://", 0), 0u);
}

// Both reports in the thread's code page: "【" and "】" where it has them, else plain brackets.
TEST(ErrorReports, FollowTheLanguageInTheThreadsCodePage) {
    const std::string errorSjis = "\x83\x47\x83\x89\x81\x5B";  // "エラー" in code page 932
    const std::string output = "\r\n\r\nFile=D.cpp\r\nLine=-7\r\nGetLastError()=4294967295\r\n";
    const std::string overlay = "\r\n\r\nD.cpp\r\n-7\r\n4294967295\r\n";
    const std::string bitmapSjis = "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76\x90\xB6\x90\xAC\x8E\xB8\x94\x73";
    const std::string windowSjis = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x90\xB6\x90\xAC\x8E\xB8\x94\x73";
    struct Case {
        LANGID locale;
        int language;
        bool capture;
        std::string expected;
    } cases[] = {{0x411, 0, false, errorSjis + "\r\n" + bitmapSjis + output},
                 {0x411, 0, true, "\x81\x79" + errorSjis + "\x81\x7A\r\n" + windowSjis + overlay},
                 {0x409, 1, true, "[Error]\r\nWindow creation failed" + overlay}};
    const LCID locale = GetThreadLocale();
    for (const Case& c : cases) {
        SetThreadLocale(MAKELCID(c.locale, SORT_DEFAULT));
        App().Language = c.language;
        const std::string report = c.capture
                                       ? CaptureException("D.cpp", -7, 0xFFFFFFFF).what()
                                       : AnExceptionImpl(TextBitmapCreationFailed, "D.cpp", -7, 0xFFFFFFFF).what();
        EXPECT_EQ(report, c.expected) << c.locale << "/" << c.language << "/" << c.capture;
    }
    SetThreadLocale(locale);
    App().Language = 0;
}

constexpr wchar_t kNotice[] = L"Copyright (C) 2026 The Glimra authors";

using Block = std::vector<unsigned char>;
void PutWord(Block& b, size_t at, unsigned value) {
    b[at] = BYTE(value);
    b[at + 1] = BYTE(value >> 8);
}

// Copies of Glimra.exe with the version block whole, gone, or its fixed part shorter than it
// must be: a missing resource or a short value leaves its text empty.
TEST(VersionLine, FromTheResourceWholeOrDamaged) {
    HMODULE exe = LoadLibraryExW(GlimraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(exe, found)));
    Block whole(bytes, bytes + SizeofResource(exe, found));
    FreeLibrary(exe);
    // File version 1.2.3.4, so the order of its parts shows.
    for (unsigned part = 0; part < 4; ++part) PutWord(whole, 48 + (part ^ 1) * 2, part + 1);
    // The fixed part (from 40) cut to 8 of its 52 bytes, the lengths told.
    Block shortFixed = whole;
    shortFixed.erase(shortFixed.begin() + 48, shortFixed.begin() + 92);
    PutWord(shortFixed, 0, shortFixed[0] + shortFixed[1] * 256 - 44);
    PutWord(shortFixed, 2, 8);
    ScratchDir folder;
    struct Case {
        const wchar_t* name;
        Block block;
        const wchar_t *version, *notice;
    } cases[] = {{L"whole.exe", whole, L"1.2.3.4", kNotice},
                 {L"none.exe", {}, L"", L""},
                 {L"shortfixed.exe", shortFixed, L"", kNotice}};
    for (Case& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        const std::wstring path = folder / c.name;
        ASSERT_TRUE(CopyFileW(GlimraExePath().c_str(), path.c_str(), FALSE));
        HANDLE update = BeginUpdateResourceW(path.c_str(), TRUE);
        if (!c.block.empty())
            UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), 0, c.block.data(),
                            DWORD(c.block.size()));
        ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
        AppContext context(path);
        context.Language = 1;
        EXPECT_EQ(context.GetText(TextVersion) + L"|" + context.GetText(TextLegalNotice),
                  std::wstring(L" Version ") + c.version + L"|" + c.notice);
    }
}

}  // namespace
}  // namespace Vorlune::Test
