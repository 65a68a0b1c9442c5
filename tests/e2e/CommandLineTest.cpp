// The real program started with a command, as a script starts it: no toolbar, an exit code,
// its output read through pipes.
#include <gtest/gtest.h>

#include "Process.h"
#include "GlimraApp.h"
#include "Output.h"
#include "Screen.h"
#include "core/CommandLine.h"
#include "resources/resource.h"

namespace Vorlune::Test {
namespace {

constexpr RECT kPicture = {600, 300, 1000, 600};

class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pattern_.Shown());
        app_.Prepare(kQuietIni);
    }
    std::unique_ptr<CommandRun> Start(const std::wstring& arguments) {
        return std::make_unique<CommandRun>(app_.TempFolder(), arguments);
    }

    PatternWindow pattern_{kPicture};
    GlimraApp app_;
    ScratchDir out_;
};

TEST_F(CommandLine, ARegionIsWrittenToTheFileGivenAndNowhereElse) {
    auto run = Start(L"rectangle --region 620,320,100,50 --file \"" + out_ / L"a shot.png" + L"\"");
    ASSERT_EQ(run->WaitExit(), 0u) << run->ErrorText();
    EXPECT_EQ(run->ErrorText(), "");
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(out_ / L"a shot.png"), {620, 320, 720, 370}));
    EXPECT_EQ(NamesIn(app_.TodaysFolder()), std::vector<std::wstring>());
}

TEST_F(CommandLine, TheRawOutputIsAPngOfTheRegionAndNoFile) {
    auto run = Start(L"desktop --region 650,350,30,20 --raw");
    ASSERT_EQ(run->WaitExit(), 0u) << run->ErrorText();
    WriteBytes(out_ / L"raw.png", run->Output());
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(out_ / L"raw.png"), {650, 350, 680, 370}));
    EXPECT_EQ(NamesIn(out_.Path()), std::vector<std::wstring>{L"raw.png"});
    EXPECT_EQ(NamesIn(app_.TodaysFolder()), std::vector<std::wstring>());
}

TEST_F(CommandLine, AnExistingFileIsNeverReplaced) {
    const std::wstring file = out_ / L"kept.bmp";
    WriteBytes(file, {'k', 'e', 'p', 't'});
    auto run = Start(L"rectangle --region 620,320,10,10 --file " + file);
    ASSERT_EQ(run->WaitExit(), 2u);
    EXPECT_EQ(run->ErrorText(), "The file exists already:\r\n" + Narrow(file) + "\r\n");
    EXPECT_EQ(ReadBytes(file), (std::vector<unsigned char>{'k', 'e', 'p', 't'}));
}

// Told to leave the clipboard be, the report says nothing of it.
TEST_F(CommandLine, AFileThatCannotBeWrittenIsReportedWithoutTheClipboard) {
    const std::wstring file = out_ / L"missing\\a.png";
    auto run = Start(L"rectangle --region 620,320,10,10 --no-clipboard --file " + file);
    ASSERT_EQ(run->WaitExit(), 2u);
    EXPECT_EQ(run->ErrorText(),
              "The image file could not be written:\r\n" + Narrow(file) + "\r\n\r\nPath not found. (3)\r\n");
}

// Held past the half second of tries: the file is written, and the report, which waits for the
// clipboard, says so.
TEST_F(CommandLine, AClipboardHeldThroughoutIsReported) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    auto run = Start(L"desktop --region 620,320,10,10 --file " + out_ / L"a.png");
    ASSERT_EQ(run->WaitExit(), 0u);
    EXPECT_EQ(run->ErrorText(), "The image could not be put on the clipboard.\r\n");
    EXPECT_TRUE(FileExists(out_ / L"a.png"));
}

TEST_F(CommandLine, ABadArgumentGivesTheUsageAndNoCapture) {
    auto run = Start(L"rectangle --region 620,320,0,10");
    ASSERT_EQ(run->WaitExit(), 2u);
    EXPECT_EQ(run->ErrorText(),
              "--region takes X,Y,W,H with W and H above 0: 620,320,0,10\n" + Narrow(UsageLine()) + "\n");
    EXPECT_FALSE(IsFolder(app_.TodaysFolder()));
}

TEST_F(CommandLine, AnErrorIsReportedInTheStoredLanguage) {
    app_.Prepare(L"[Gui]\r\n9=0\r\n");
    auto run = Start(L"desktop --region 5000,5000,10,10");
    ASSERT_EQ(run->WaitExit(), 2u);
    EXPECT_EQ(run->ErrorText(), Narrow(L"指定の範囲は画面上にありません:\r\n5000,5000,10,10\r\n"));
}

TEST_F(CommandLine, HelpGoesToStandardOutput) {
    auto run = Start(L"--help");
    ASSERT_EQ(run->WaitExit(), 0u);
    EXPECT_EQ(std::string(run->Output().begin(), run->Output().end()), Narrow(HelpText()));
}

TEST_F(CommandLine, EscapeCancelsWithOne) {
    auto run = Start(L"rectangle");
    HWND overlay = run->WaitWindow(L"RectangleCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && GetForegroundWindow() == overlay; }));
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(run->WaitExit(), 1u);
    EXPECT_EQ(NamesIn(app_.TodaysFolder()), std::vector<std::wstring>());
}

struct WindowCommand {
    const wchar_t* arguments;
    const wchar_t* overlay;
};
void PrintTo(const WindowCommand& c, std::ostream* out) { *out << Narrow(c.arguments); }
class WindowCommands : public CommandLine, public testing::WithParamInterface<WindowCommand> {};

// The outline shows on the window under the cursor; a click picks it.
TEST_P(WindowCommands, WriteTheWindowClickedIntoTodaysFolder) {
    auto run = Start(GetParam().arguments);
    HWND overlay = run->WaitWindow(GetParam().overlay);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && GetForegroundWindow() == overlay; }));
    ASSERT_TRUE(WaitUntil([&, n = 0]() mutable {
        Input(0, {800 + n++ % 2, 450});
        return ScreenPixel(kPicture.left, kPicture.top) == RGB(255, 0, 0);
    }));
    RealClick({800, 450});
    ASSERT_EQ(run->WaitExit(), 0u) << run->ErrorText();
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(app_.TodaysFolder() + L"00001.bmp"), kPicture));
}
INSTANTIATE_TEST_SUITE_P(CommandLine, WindowCommands,
                         testing::Values(WindowCommand{L"window", L"WindowCaptureTop"},
                                         WindowCommand{L"hidden-window --children", L"HiddenWindowCaptureAll"}));

TEST_F(CommandLine, TheDesktopCommandWritesTheWholeScreenAsThePngAsked) {
    auto run = Start(L"desktop --file " + out_ / L"desktop.png");
    ASSERT_EQ(run->WaitExit(), 0u) << run->ErrorText();
    const DecodedImage image = DecodeImageFile(out_ / L"desktop.png");
    EXPECT_EQ(image.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(image.height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(image.Pixel(650, 350), ScreenPattern(650, 350));
    EXPECT_EQ(ReadBytes(out_ / L"desktop.png")[1], 'P');
}

TEST_F(CommandLine, TheSettingsCommandEndsWithTheDialog) {
    auto run = Start(L"settings");
    HWND dialog = run->WaitWindow(L"#32770");
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(dialog, IDC_SETTINGS_CANCEL) != nullptr; }));
    Press(dialog, IDC_SETTINGS_CANCEL);
    EXPECT_EQ(run->WaitExit(), 0u);
}

}  // namespace
}  // namespace Vorlune::Test
