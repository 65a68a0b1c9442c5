#include <gtest/gtest.h>

#include "CaptureProbe.h"
#include "GlimraApp.h"

namespace Vorlune::Test {
namespace {

TEST(Start, FreshProfileOpensToolbarAndSavesPositionOnClose) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    const RECT rect = app.WindowRect();
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right - rect.left, 230);
    EXPECT_EQ(rect.bottom - rect.top, 89);
    const LONG style = GetWindowLongW(app.Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(style & WS_VISIBLE);
    const LONG exStyle = GetWindowLongW(app.Window(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(FolderExists(app.AppFolder()));
    EXPECT_FALSE(FileExists(app.IniPath())) << "nothing is written before the close";

    // A one-pixel frame in a focus colour around the bars.
    ASSERT_TRUE(WaitUntil([&] { return ScreenPixel(150, 140) == RGB(0xC0, 0xC0, 0xC0); }));
    const COLORREF frame = ScreenPixel(100, 100);
    EXPECT_TRUE(frame == 0xD78318 || frame == 0xA5A5A5) << std::hex << frame;
    EXPECT_EQ(ScreenPixel(329, 188), frame);

    EXPECT_EQ(app.Close(), 0u);
    const auto bytes = ReadBytes(app.IniPath());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    const std::wstring ini = app.ReadIni();
    EXPECT_EQ(IniValue(ini, L"App", L"PositionX"), L"100");
    EXPECT_EQ(IniValue(ini, L"App", L"PositionY"), L"100");
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

TEST(Start, StoredPositionIsHonouredAndMovesAreSaved) {
    GlimraApp app;
    app.WriteIni(L"[App]\r\nPositionX=300\r\nPositionY=-0\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.WindowRect().left, 300);
    EXPECT_EQ(app.WindowRect().top, 0);
    SetWindowPos(app.Window(), nullptr, 1234, 567, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(app.Close(), 0u);
    const std::wstring ini = app.ReadIni();
    EXPECT_EQ(IniValue(ini, L"App", L"PositionX"), L"1234");
    EXPECT_EQ(IniValue(ini, L"App", L"PositionY"), L"567");
}

TEST(Start, PositionOutsideTheScreenIsBroughtBack) {
    struct Case {
        const wchar_t* x;
        const wchar_t* y;
        LONG expectedX;
        LONG expectedY;
    };
    // 1920 and 1080 are the right and bottom edges: a window there could not be seen.
    for (const Case& c : {Case{L"-5000", L"50", 960, 50}, Case{L"1920", L"1080", 960, 540},
                          Case{L"40", L"99999", 40, 540}, Case{L"1919", L"1079", 1919, 1079}}) {
        GlimraApp app;
        app.WriteIni(std::wstring(L"[App]\r\nPositionX=") + c.x + L"\r\nPositionY=" + c.y + L"\r\n");
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowRect().left, c.expectedX) << c.x;
        EXPECT_EQ(app.WindowRect().top, c.expectedY) << c.y;
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST(Start, OnlyAppTopMostOneMakesTheToolbarTopmost) {
    for (const auto& [value, topmost] : {std::pair{L"1", true}, std::pair{L"2", false}, std::pair{L"0", false}}) {
        GlimraApp app;
        app.WriteIni(std::wstring(L"[Settings]\r\nAppTopMost=") + value + L"\r\n");
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(WaitUntil([&] {
            return ((GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == topmost;
        }, 5s)) << "AppTopMost=" << Narrow(value);
        EXPECT_EQ(app.Close(), 0u);
    }
}

TEST(Start, ClosingWhileMinimisedSavesTheRestoredPosition) {
    GlimraApp app;
    app.WriteIni(L"[App]\r\nPositionX=420\r\nPositionY=240\r\n");
    ASSERT_TRUE(app.Start());
    // The toolbar's own minimise button, clicked with the real mouse.
    RealClick({420 + 187, 240 + 12});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    EXPECT_EQ(app.Close(), 0u);
    const std::wstring ini = app.ReadIni();
    EXPECT_EQ(IniValue(ini, L"App", L"PositionX"), L"420");
    EXPECT_EQ(IniValue(ini, L"App", L"PositionY"), L"240");
}

TEST(Start, JapaneseSettingsInAnExistingUnicodeFileSurviveTheClose) {
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nViewer=C:\\ツール\\表示.exe\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Close(), 0u);
    const std::wstring ini = app.ReadIni();
    EXPECT_EQ(IniValue(ini, L"Settings", L"Viewer"), L"C:\\ツール\\表示.exe");
    EXPECT_EQ(IniValue(ini, L"App", L"PositionX"), L"100");
}

}  // namespace
}  // namespace Vorlune::Test
