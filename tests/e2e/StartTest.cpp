#include <gtest/gtest.h>

#include "GlimraApp.h"

namespace Vorlune::Test {
namespace {

TEST(Start, FreshProfileOpensToolbarAndSavesPositionOnClose) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    const RECT rect = app.WindowRect();
    EXPECT_EQ(std::make_tuple(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
              std::make_tuple(100L, 100L, 230L, 89L));
    EXPECT_FALSE(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(FileExists(app.IniPath())) << "nothing is written before the close";

    EXPECT_EQ(app.Close(), 0u);
    const auto bytes = ReadBytes(app.IniPath());
    EXPECT_TRUE(bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE);
    EXPECT_EQ(IniValue(app.ReadIni(), L"App", L"PositionX"), L"100");
    EXPECT_EQ(IniValue(app.ReadIni(), L"App", L"PositionY"), L"100");
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

// A stored place off the screen comes back to its middle; the file's other settings, Japanese
// ones too, survive the close, and AppTopMost other than 1 leaves the toolbar behind others.
TEST(Start, StoredPositionIsHonouredOrBroughtBackAndTheFileSurvives) {
    struct Case {
        const wchar_t* x;
        const wchar_t* y;
        LONG expectedX;
        LONG expectedY;
    };
    // 1920 and 1080 are the right and bottom edges: a window there could not be seen.
    for (const Case& c : {Case{L"300", L"-0", 300, 0}, Case{L"-5000", L"1080", 960, 540}, Case{L"1920", L"1079", 960, 1079},
                          Case{L"1919", L"99999", 1919, 540}}) {
        SCOPED_TRACE(Narrow(c.x) + "," + Narrow(c.y));
        GlimraApp app;
        app.WriteIni(std::wstring(L"[App]\r\nPositionX=") + c.x + L"\r\nPositionY=" + c.y +
                     L"\r\n[Settings]\r\nAppTopMost=2\r\nViewer=C:\\ツール\\表示.exe\r\n");
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.WindowRect().left, c.expectedX);
        EXPECT_EQ(app.WindowRect().top, c.expectedY);
        EXPECT_FALSE(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(app.Close(), 0u);
        const std::wstring ini = app.ReadIni();
        EXPECT_EQ(IniValue(ini, L"App", L"PositionX"), std::to_wstring(c.expectedX));
        EXPECT_EQ(IniValue(ini, L"App", L"PositionY"), std::to_wstring(c.expectedY));
        EXPECT_EQ(IniValue(ini, L"Settings", L"Viewer"), L"C:\\ツール\\表示.exe");
    }
}

// Closing removes the images only with DeleteImage=1, from the program's folder or the user's own.
TEST(Start, DeleteImageOneRemovesTheImagesOnlyOnClose) {
    for (const auto& [value, ownFolder] : {std::pair{1, false}, std::pair{2, true}, std::pair{1, true}}) {
        SCOPED_TRACE(testing::Message() << "DeleteImage=" << value << (ownFolder ? " in SaveFolder" : ""));
        GlimraApp app;
        ScratchDir own;
        const std::wstring folder = ownFolder ? own.Path() : app.AppFolder();
        std::wstring ini = L"[Settings]\r\nDeleteImage=" + std::to_wstring(value) + L"\r\n";
        if (ownFolder) ini += L"SaveFolder=" + folder.substr(0, folder.size() - 1) + L"\r\n";
        app.WriteIni(ini);
        CreateDirectoryW((folder + L"20240102").c_str(), nullptr);
        WriteBytes(folder + L"20240102\\00001.bmp", {'B', 'M'});
        WriteBytes(folder + L"20240102\\Glimra.ini", {'k'});
        WriteBytes(folder + L"notes.txt", {'n'});
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.Close(), 0u);
        EXPECT_EQ(FileExists(folder + L"20240102\\00001.bmp"), value != 1);
        EXPECT_TRUE(FileExists(folder + L"20240102\\Glimra.ini"));
        EXPECT_TRUE(FileExists(folder + L"notes.txt"));
        EXPECT_NE(app.ReadIni().find(L"DeleteImage=" + std::to_wstring(value)), std::wstring::npos);
    }
}

}  // namespace
}  // namespace Vorlune::Test
