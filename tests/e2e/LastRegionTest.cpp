// The rectangle picked last, kept in the settings and captured again by a command or a hotkey.
#include <gtest/gtest.h>

#include "Process.h"
#include "GlimraApp.h"
#include "Output.h"
#include "Screen.h"

namespace Vorlune::Test {
namespace {

TEST(LastRegion, APickIsStoredAndCapturedAgainByteForByte) {
    PatternWindow pattern({600, 300, 1000, 600});
    ASSERT_TRUE(pattern.Shown());
    GlimraApp app;
    app.Prepare(kQuietIni);
    {
        CommandRun pick(app.TempFolder(), L"rectangle");
        HWND overlay = pick.WaitWindow(L"RectangleCapture");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && GetForegroundWindow() == overlay; }));
        ASSERT_TRUE(Idle(overlay));
        Input(MOUSEEVENTF_LEFTDOWN, {650, 350});
        Input(0, {700, 400});
        Input(MOUSEEVENTF_LEFTUP, {709, 389});
        ASSERT_EQ(pick.WaitExit(), 0u) << pick.ErrorText();
    }
    EXPECT_EQ(IniValue(app.IniPath(), L"Gui", L"LastRegion"), L"650,350,60,40");
    ScratchDir out;
    CommandRun again(app.TempFolder(), L"last-region --file " + out / L"again.bmp");
    ASSERT_EQ(again.WaitExit(), 0u) << again.ErrorText();
    EXPECT_EQ(ReadBytes(out / L"again.bmp"), ReadBytes(app.TodaysFolder() + L"00001.bmp"));
}

TEST(LastRegion, WithNoneStoredTheCommandFails) {
    GlimraApp app;
    app.Prepare(kQuietIni);
    CommandRun run(app.TempFolder(), L"last-region");
    ASSERT_EQ(run.WaitExit(), 2u);
    EXPECT_EQ(run.ErrorText(), "No rectangle has been picked yet. Cut out a rectangle first.\r\n");
}

// As after a monitor change: the part beyond the 1920x1080 screen is left out.
TEST(LastRegion, ARegionPartlyOffTheScreenIsClippedToIt) {
    GlimraApp app;
    app.Prepare(std::wstring(kQuietIni) + L"LastRegion=1850,1000,200,300\r\n");
    ScratchDir out;
    CommandRun run(app.TempFolder(), L"last-region --file " + out / L"clipped.png");
    ASSERT_EQ(run.WaitExit(), 0u) << run.ErrorText();
    const DecodedImage image = DecodeImageFile(out / L"clipped.png");
    EXPECT_EQ(image.width, 70);
    EXPECT_EQ(image.height, 80);
}

TEST(LastRegion, ItsHotKeyCapturesTheStoredRegion) {
    GlimraApp app;
    ASSERT_TRUE(
        app.Start(L"[Settings]\r\nClipBoard=2\r\nHotKeyLastRegion=120\r\n[Gui]\r\n9=1\r\n13=0\r\n"
                  L"LastRegion=-10,5,40,30\r\n"));
    PressKey(VK_F9);
    const std::wstring file = app.TodaysFolder() + L"00001.bmp";
    ASSERT_TRUE(WaitUntil([&] { return FileExists(file) && IsWindowVisible(app.Window()); }));
    const DecodedImage image = DecodeImageFile(file);
    EXPECT_EQ(image.width, 30);
    EXPECT_EQ(image.height, 30);
}

}  // namespace
}  // namespace Vorlune::Test
