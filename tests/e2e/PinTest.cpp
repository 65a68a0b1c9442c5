// Images pinned to the screen by the real program: a command's own process, or the toolbar's.
#include <gtest/gtest.h>

#include <memory>

#include "Process.h"
#include "GlimraApp.h"
#include "MessageBoxWatcher.h"
#include "Output.h"
#include "Screen.h"
#include "core/ImageNames.h"
#include "ui/Geometry.h"

namespace Vorlune::Test {
namespace {

// No viewer, English, the line colour blue.
constexpr const wchar_t* kQuiet = L"[Settings]\r\nClipBoard=2\r\nAuxiliaryLineColor=12\r\n[Gui]\r\n9=1\r\n13=0\r\n";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr RECT kPicture = {600, 300, 1000, 600};
constexpr const wchar_t* kPinCommand = L"desktop --region 620,320,100,50 --pin --no-clipboard";
constexpr Rect kPinFrame = {619, 319, 721, 371};  // the region and its outline

BYTE PinAlpha(HWND pin) {
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(pin, nullptr, &alpha, &flags);
    return alpha;
}

class Pin : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pattern_.Shown());
        app_.Prepare(kQuiet);
        run_ = std::make_unique<CommandRun>(app_.TempFolder(), kPinCommand);
        pin_ = run_->WaitWindow(L"GlimraPin");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(pin_) && GetForegroundWindow() == pin_; }));
        ASSERT_TRUE(Idle(pin_));
    }
    Rect Frame() const { return ToCore(WindowRect(pin_)); }
    // Its menu from a right click at (650, 340), up and taking keys.
    bool OpenMenu() {
        Input(MOUSEEVENTF_RIGHTDOWN, {650, 340});
        Input(MOUSEEVENTF_RIGHTUP, {650, 340});
        return WaitUntil([&] { return IsWindowVisible(run_->FindWindowOf(L"#32768")); }) && Idle(pin_);
    }

    PatternWindow pattern_{kPicture};
    GlimraApp app_;
    std::unique_ptr<CommandRun> run_;
    HWND pin_ = nullptr;
};

TEST_F(Pin, ShowsTheImageWhereItWasTakenInsideAOnePixelOutlineOfTheLineColour) {
    EXPECT_EQ(Frame(), kPinFrame);
    ShowWindow(pattern_.Handle(), SW_HIDE);  // what shows the pattern now is the pin
    const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const std::vector<std::uint32_t> pixels = StillScreen(screen);
    for (int y = kPinFrame.top; y < kPinFrame.bottom; ++y)
        for (int x = kPinFrame.left; x < kPinFrame.right; ++x) {
            const bool outline =
                x == kPinFrame.left || x == kPinFrame.right - 1 || y == kPinFrame.top || y == kPinFrame.bottom - 1;
            ASSERT_EQ(pixels[y * screen.cx + x], Rgb(outline ? kBlue : ScreenPattern(x, y))) << x << "," << y;
        }
}

// Moves that a hand makes only once the press has reached the pin, as they then go to it.
TEST_F(Pin, ADragMovesIt) {
    Input(MOUSEEVENTF_LEFTDOWN, {650, 340});
    ASSERT_TRUE(WaitUntil([&] {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        return GetGUIThreadInfo(GetWindowThreadProcessId(pin_, nullptr), &thread) && thread.hwndCapture == pin_;
    }));
    Input(0, {700, 400});
    Input(MOUSEEVENTF_LEFTUP, {750, 440});
    EXPECT_TRUE(WaitUntil([&] { return Frame() == Rect{719, 419, 821, 471}; }));
}

// 110 %: the image point under the cursor, 50 and 20 pixels in, is 55 and 22 pixels in.
TEST_F(Pin, TheWheelZoomsItAboutTheCursor) {
    ASSERT_TRUE(TurnWheel({670, 340}, 1));
    EXPECT_TRUE(WaitUntil([&] { return Frame() == Rect{614, 317, 726, 374}; }));
}

TEST_F(Pin, CtrlWithTheWheelMakesItFainterAndNoLarger) {
    ASSERT_EQ(PinAlpha(pin_), 255);
    ASSERT_TRUE(TurnWheel({670, 340}, -1, VK_CONTROL));
    EXPECT_TRUE(WaitUntil([&] { return PinAlpha(pin_) == 230; }));  // 90 % of 255
    EXPECT_EQ(Frame(), kPinFrame);
}

TEST_F(Pin, EscapeClosesItAndTheCommandThenEndsWithZero) {
    PressKey(VK_ESCAPE);
    EXPECT_EQ(run_->WaitExit(), 0u);
    EXPECT_EQ(run_->ErrorText(), "");
}

TEST_F(Pin, ADoubleClickClosesIt) {
    RealClick({650, 340});
    RealClick({650, 340});
    EXPECT_EQ(run_->WaitExit(), 0u);
}

TEST_F(Pin, ItsMenusCopyPutsTheImageOnTheClipboard) {
    SetClipboardText(nullptr, L"the user's text");
    ASSERT_TRUE(OpenMenu());
    PressKey('C');
    ASSERT_TRUE(WaitUntil([] { return !ClipboardBytes(RegisterClipboardFormatW(L"PNG")).empty(); }));
    EXPECT_TRUE(ShowsThePattern(ClipboardImage(), {620, 320, 720, 370}));
}

// The menu's Copy while the clipboard is held past the half second of tries.
class PinCopiedWithTheClipboardHeld : public Pin {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Pin::SetUp());
        boxes_ = std::make_unique<MessageBoxWatcher>(run_->Id());
        ASSERT_TRUE(holder_.Held());
        ASSERT_TRUE(OpenMenu());
        PressKey('C');
    }
    // The text of the first box it shows.
    std::wstring Said() const { return boxes_->WaitForCount(1) ? boxes_->Seen()[0].text : L"no box"; }

    ClipboardHolder holder_;
    std::unique_ptr<MessageBoxWatcher> boxes_;
};

TEST_F(PinCopiedWithTheClipboardHeld, ABoxOverThePinSaysSo) {
    EXPECT_EQ(Said(), L"The image could not be put on the clipboard.");
    EXPECT_EQ(boxes_->Seen().at(0).owner, pin_);
}

// Its last pin closed at once, the command's process stays until the clipboard has answered.
TEST_F(PinCopiedWithTheClipboardHeld, ClosedAtOnceTheCommandStaysToSaySo) {
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Said(), L"The image could not be put on the clipboard.");
    EXPECT_EQ(run_->WaitExit(), 0u);
}

TEST_F(Pin, ItsMenusSaveAsACaptureWritesTheNextNumberedFile) {
    ASSERT_TRUE(OpenMenu());
    PressKey('S');
    const std::wstring saved = app_.TodaysFolder() + ImageFileName(2);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(saved); }));
    EXPECT_EQ(ReadBytes(saved), ReadBytes(app_.TodaysFolder() + ImageFileName(1)));
}

// A file where today's folder belongs: the box over the pin names the file, the reason and the
// clipboard, which has the image.
TEST_F(Pin, ItsMenusSaveToAFolderThatCannotTakeTheFileSaysSo) {
    const std::wstring day = app_.TodaysFolder();
    ASSERT_TRUE(DeleteFileW((day + ImageFileName(1)).c_str()) && RemoveDirectoryW(day.c_str()));
    WriteBytes(day.substr(0, day.size() - 1), {'x'});
    MessageBoxWatcher boxes(run_->Id());
    ASSERT_TRUE(OpenMenu());
    PressKey('S');
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Seen()[0].text, L"The image file could not be written:\r\n" + day +
                                        L"00001.bmp\r\n\r\nPath not found. (3)\r\n\r\nThe image is on the clipboard.");
    EXPECT_EQ(boxes.Seen()[0].owner, pin_);
}

TEST(HandedOverPin, StaysWithTheToolbarWhileTheCommandEndsWithZero) {
    const PatternWindow pattern(kPicture);
    ASSERT_TRUE(pattern.Shown());
    GlimraApp app;
    ASSERT_TRUE(app.Start(kQuiet));
    CommandRun run(app.TempFolder(), kPinCommand);
    EXPECT_EQ(run.WaitExit(), 0u) << run.ErrorText();
    HWND pin = app.Proc().WaitWindow(L"GlimraPin");
    EXPECT_EQ(ToCore(WindowRect(pin)), kPinFrame);
    EXPECT_EQ(app.Close(), 0u);
}

// A reader of the image sees its end while the pin stays: the pin lives on in a process of its own,
// which takes the image from a file it then deletes.
TEST(RawPin, TheCommandEndsWithItsImageWhileThePinStays) {
    const PatternWindow pattern(kPicture);
    ASSERT_TRUE(pattern.Shown());
    GlimraApp app;
    app.Prepare(kQuiet);
    CommandRun run(app.TempFolder(), L"desktop --region 620,320,100,50 --raw --pin --no-clipboard");
    ASSERT_EQ(run.WaitExit(), 0u) << run.ErrorText();
    const ScratchDir out;
    WriteBytes(out / L"raw.png", run.Output());
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(out / L"raw.png"), {620, 320, 720, 370}));
    HWND pin = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(pin = FindWindowW(L"GlimraPin", nullptr)) != FALSE; }));
    DWORD id = 0;
    GetWindowThreadProcessId(pin, &id);
    const StartedElsewhere pinProcess(id);
    EXPECT_EQ(ToCore(WindowRect(pin)), kPinFrame);
    EXPECT_EQ(NamesIn(app.AppFolder()), std::vector<std::wstring>{L"Glimra.ini"});
    PostMessageW(pin, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(pinProcess.Ended());
}

}  // namespace
}  // namespace Vorlune::Test
