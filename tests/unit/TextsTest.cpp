// The error reports built from the text table, and the version line from an executable's resource.
#include <gtest/gtest.h>

#include "Capture/CaptureErrors.h"
#include "Scratch.h"
#include "app/AppContext.h"
#include "settings/VersionInfo.h"

namespace Vorlune::Test {
namespace {

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
