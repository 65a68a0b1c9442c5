// A start while a toolbar runs: the toolbar of the session does the work, the later start
// only waits for its end.
#include <gtest/gtest.h>

#include "Process.h"
#include "GlimraApp.h"
#include "Output.h"

namespace Vorlune::Test {
namespace {

TEST(HandOver, ACommandIsCapturedByTheRunningToolbarInItsFolder) {
    GlimraApp first;
    ASSERT_TRUE(first.Start(kQuietIni));
    GlimraApp later;  // a temp folder of its own
    CommandRun run(later.TempFolder(), L"desktop --region 10,20,30,40");
    ASSERT_EQ(run.WaitExit(), 0u) << run.ErrorText();
    const DecodedImage image = DecodeImageFile(first.TodaysFolder() + L"00001.bmp");
    EXPECT_EQ(image.width, 30);
    EXPECT_EQ(image.height, 40);
    EXPECT_FALSE(IsFolder(later.AppFolder()));
    EXPECT_TRUE(first.ToolbarBack());
    EXPECT_EQ(first.Close(), 0u);
}

TEST(HandOver, TheLaterStartEndsWithTheCodeOfTheCommand) {
    GlimraApp first;
    ASSERT_TRUE(first.Start(kQuietIni));
    GlimraApp later;
    CommandRun run(later.TempFolder(), L"rectangle");
    HWND overlay = first.WaitOverlay(L"RectangleCapture");
    ASSERT_NE(overlay, nullptr);
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(run.WaitExit(), 1u);
    EXPECT_TRUE(first.ToolbarBack());
}

TEST(HandOver, ASecondToolbarBringsTheFirstBackAndEnds) {
    GlimraApp first;
    ASSERT_TRUE(first.Start(kQuietIni));
    ShowWindow(first.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first.Window()) != FALSE; }));
    GlimraApp later;
    Process second(GlimraExePath(), later.TempFolder());
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first.Window()) && IsWindowVisible(first.Window()); }));
    EXPECT_FALSE(IsFolder(later.AppFolder()));
}

}  // namespace
}  // namespace Vorlune::Test
