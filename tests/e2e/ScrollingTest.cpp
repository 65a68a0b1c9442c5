// The scrolling capture from the command line and from the window overlay, on the prefix's
// Notepad holding 1,500 numbered lines.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <string>

#include "GlimraApp.h"
#include "Output.h"
#include "Process.h"
#include "Screen.h"

namespace Vorlune::Test {
namespace {

// A real key going down, or up with KEYEVENTF_KEYUP: held across other input.
void Key(WORD key, DWORD flags) {
    INPUT input = {INPUT_KEYBOARD, {.ki = {key, 0, flags, 0, 0}}};
    SendInput(1, &input, sizeof input);
}

void ShiftClick(POINT at) {
    Key(VK_SHIFT, 0);
    RealClick(at);
    Key(VK_SHIFT, KEYEVENTF_KEYUP);
}

class Scrolling : public testing::Test {
protected:
    void SetUp() override {
        app_.Prepare(kQuietIni);
        const std::wstring text = out_ / L"lines.txt";
        std::string content;
        for (int line = 1; line <= 1500; ++line) content += "Line " + std::to_string(line) + " of fifteen hundred\r\n";
        WriteBytes(text, {content.begin(), content.end()});
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        editor_ =
            std::make_unique<Process>(std::wstring(system) + L"\\notepad.exe", app_.TempFolder(), L"\"" + text + L"\"");
        HWND window = editor_->WaitWindow(L"Notepad");
        ASSERT_NE(window, nullptr);
        SetWindowPos(window, HWND_TOPMOST, 100, 100, 600, 500, SWP_SHOWWINDOW);
        edit_ = FindWindowExW(window, nullptr, L"Edit", nullptr);
        ASSERT_NE(edit_, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(edit_) != FALSE; }));
        GetWindowRect(edit_, &area_);
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(edit_, EM_GETLINECOUNT, 0, 0) > 1500; }));
    }

    std::unique_ptr<CommandRun> Start(const std::wstring& arguments) {
        return std::make_unique<CommandRun>(app_.TempFolder(), arguments);
    }
    static std::wstring RegionOf(const RECT& r) {
        return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right - r.left) +
               L"," + std::to_wstring(r.bottom - r.top);
    }
    POINT EditMiddle() const { return {(area_.left + area_.right) / 2, (area_.top + area_.bottom) / 2}; }
    // The text control with its frame: every line once, the frame at the top and the bottom
    // once, so the image is as tall as the area and the lines it scrolled past.
    int WholeTextHeight() const {
        const int lines = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
        RECT client = {};
        GetClientRect(edit_, &client);
        // Scrolled until the last line stands at the bottom, whole.
        return area_.bottom - area_.top + (lines - client.bottom / LineHeight()) * LineHeight();
    }
    // From where its second line starts below its first: the control's font is its process's own.
    int LineHeight() const {
        const auto lineTop = [&](int line) {
            const LRESULT first = SendMessageW(edit_, EM_LINEINDEX, line, 0);
            return static_cast<int>(HIWORD(SendMessageW(edit_, EM_POSFROMCHAR, first, 0)));
        };
        return lineTop(1) - lineTop(0);
    }
    // The run wrote the whole text, as wide as the control.
    void ExpectWholeText(CommandRun& run) {
        ASSERT_EQ(run.WaitExit(60s), 0u) << run.ErrorText();
        const DecodedImage image = DecodeImageFile(out_ / L"long.bmp");
        EXPECT_EQ(image.width, area_.right - area_.left);
        EXPECT_EQ(image.height, WholeTextHeight());
    }
    int FirstVisibleLine() const { return static_cast<int>(SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    // The window overlay up, its outline on the editor's frame, which the cursor is over.
    void AwaitWindowOverlay(HWND overlay) {
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && GetForegroundWindow() == overlay; }));
        RECT frame = {};
        GetWindowRect(GetAncestor(edit_, GA_ROOT), &frame);
        ASSERT_TRUE(WaitUntil([&, n = 0]() mutable {
            Input(0, {EditMiddle().x + n++ % 2, EditMiddle().y});
            return ScreenPixel(frame.left, frame.top) == RGB(255, 0, 0);
        }));
    }

    GlimraApp app_;
    ScratchDir out_;
    std::unique_ptr<Process> editor_;
    HWND edit_ = nullptr;
    RECT area_ = {};
};

TEST_F(Scrolling, AnEditorsLinesComeOutOnceWithTheirFrame) {
    auto run = Start(L"scrolling --region " + RegionOf(area_) + L" --no-viewer --file " + out_ / L"long.bmp");
    ExpectWholeText(*run);
    EXPECT_EQ(run->ErrorText(), "");
}

// The editor's frame is what a plain click picks; with Shift its text control is scrolled.
TEST_F(Scrolling, AShiftClickOnTheWindowOverlayScrollsTheTextControlUnderIt) {
    auto run = Start(L"window --no-viewer --file " + out_ / L"long.bmp");
    ASSERT_NO_FATAL_FAILURE(AwaitWindowOverlay(run->WaitWindow(L"WindowCaptureTop")));
    ShiftClick(EditMiddle());
    ExpectWholeText(*run);
}

// Held, S outlines the text control rather than the editor's frame; let go, it scrolls it.
TEST_F(Scrolling, SOnTheWindowOverlayOutlinesTheTextControlAndScrollsIt) {
    auto run = Start(L"window --no-viewer --file " + out_ / L"long.bmp");
    ASSERT_NO_FATAL_FAILURE(AwaitWindowOverlay(run->WaitWindow(L"WindowCaptureTop")));
    Key('S', 0);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(area_.left, area_.top) == RGB(255, 0, 0); }));
    Key('S', KEYEVENTF_KEYUP);
    ExpectWholeText(*run);
}

// Without a region, a drag within the text picks that rectangle, side bars left out; the window
// under its middle is scrolled.
TEST_F(Scrolling, WithoutARegionADragPicksTheRectangleScrolled) {
    auto run = Start(L"scrolling --no-viewer --file " + out_ / L"long.bmp");
    HWND overlay = run->WaitWindow(L"ScrollingCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && GetForegroundWindow() == overlay; }));
    const RECT drag = {area_.left + 20, area_.top + 20, area_.right - 40, area_.bottom - 40};
    RealDrag(drag);
    ASSERT_EQ(run->WaitExit(60s), 0u) << run->ErrorText();
    const DecodedImage image = DecodeImageFile(out_ / L"long.bmp");
    EXPECT_EQ(image.width, drag.right - drag.left);
    EXPECT_EQ(image.height, drag.bottom - drag.top + WholeTextHeight() - (area_.bottom - area_.top));
}

// M on the control window: nothing is scrolled for the user from then on, and Enter keeps the
// lines they scrolled past with the wheel, at whatever moment it comes.
TEST_F(Scrolling, MOnTheControlWindowTurnsToScrollingByHand) {
    auto run = Start(L"scrolling --region " + RegionOf(area_) + L" --no-viewer --file " + out_ / L"long.bmp");
    HWND control = run->WaitWindow(L"GlimraScrolling");
    ASSERT_TRUE(WaitUntil([&] {
        GUITHREADINFO focus = {};
        focus.cbSize = sizeof focus;
        return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &focus) && focus.hwndFocus == control;
    }));
    PressKey('M');
    // The first step, made as the window came up, has landed and no other follows.
    ASSERT_TRUE(WaitUntil([&, last = -1]() mutable {
        const int line = FirstVisibleLine();
        Sleep(300);
        return line > 0 && std::exchange(last, line) == line;
    }));
    // Few enough notches to match even if none was grabbed before Enter; each lands alone.
    for (int notch = 0; notch < 4; ++notch) {
        const int before = FirstVisibleLine();
        ASSERT_TRUE(TurnWheel(EditMiddle(), -1));
        ASSERT_TRUE(WaitUntil([&] { return FirstVisibleLine() == before + 3; }));
    }
    const int scrolled = FirstVisibleLine();
    PressKey(VK_RETURN);
    ASSERT_EQ(run->WaitExit(60s), 0u) << run->ErrorText();
    EXPECT_EQ(FirstVisibleLine(), scrolled);  // nothing scrolled it on its own meanwhile
    EXPECT_EQ(DecodeImageFile(out_ / L"long.bmp").height, area_.bottom - area_.top + scrolled * LineHeight());
}

// From the toolbar no one reads standard error: an image cut short says so in a box.
TEST_F(Scrolling, FromTheToolbarTheHeightLimitIsToldInABox) {
    ASSERT_TRUE(app_.Start(L"[Settings]\r\nClipBoard=2\r\nScrollMaxHeight=1000\r\n[Gui]\r\n9=1\r\n13=0\r\n",
                           GlimraApp::BoxesAre::Expected));
    app_.Click(1);
    ASSERT_NO_FATAL_FAILURE(AwaitWindowOverlay(app_.WaitOverlay(L"WindowCaptureTop")));
    ShiftClick(EditMiddle());
    ASSERT_TRUE(app_.Boxes().WaitForCount(1));
    EXPECT_EQ(app_.Boxes().Texts(), L"Glimra|Stopped at the height limit|");
    EXPECT_EQ(DecodeImageFile(app_.TodaysFolder() + ImageFileName(1)).height, 1000);
}

}  // namespace
}  // namespace Vorlune::Test
