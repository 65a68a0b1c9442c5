// The scrolling capture from the command line, on real windows of other processes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GlimraApp.h"
#include "Output.h"
#include "Process.h"

namespace Vorlune::Test {
namespace {

class Scrolling : public testing::Test {
protected:
    void SetUp() override { app_.Prepare(kQuietIni); }
    std::unique_ptr<CommandRun> Start(const std::wstring& arguments) {
        return std::make_unique<CommandRun>(app_.TempFolder(), arguments);
    }
    static std::wstring RegionOf(const RECT& r) {
        return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right - r.left) +
               L"," + std::to_wstring(r.bottom - r.top);
    }

    GlimraApp app_;
    ScratchDir out_;
};

// The editor's text control with its frame: every line once, the frame at the top and the
// bottom once, so the image is as tall as the area and the lines it scrolled past.
TEST_F(Scrolling, AnEditorsLinesComeOutOnceWithTheirFrame) {
    const std::wstring text = out_ / L"lines.txt";
    std::string content;
    for (int line = 1; line <= 1500; ++line) content += "Line " + std::to_string(line) + " of fifteen hundred\r\n";
    WriteBytes(text, {content.begin(), content.end()});
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    Process editor(std::wstring(system) + L"\\notepad.exe", app_.TempFolder(), L"\"" + text + L"\"");
    HWND window = editor.WaitWindow(L"Notepad");
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, HWND_TOPMOST, 100, 100, 600, 500, SWP_SHOWWINDOW);
    HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(edit) != FALSE; }));
    RECT area = {};
    GetWindowRect(edit, &area);
    int lines = 0;
    ASSERT_TRUE(
        WaitUntil([&] { return (lines = static_cast<int>(SendMessageW(edit, EM_GETLINECOUNT, 0, 0))) > 1500; }));
    RECT client = {};
    GetClientRect(edit, &client);
    // From where its second line starts below its first: the control's font is its process's own.
    const auto lineTop = [&](int line) {
        const LRESULT first = SendMessageW(edit, EM_LINEINDEX, line, 0);
        return static_cast<int>(HIWORD(SendMessageW(edit, EM_POSFROMCHAR, first, 0)));
    };
    const int lineHeight = lineTop(1) - lineTop(0);
    ASSERT_GT(lineHeight, 0);
    // Scrolled until the last line stands at the bottom, whole.
    const int scrolledLines = lines - client.bottom / lineHeight;

    auto run = Start(L"scrolling --region " + RegionOf(area) + L" --no-viewer --file " + out_ / L"long.bmp");
    ASSERT_EQ(run->WaitExit(60s), 0u) << run->ErrorText();
    EXPECT_EQ(run->ErrorText(), "");
    const DecodedImage image = DecodeImageFile(out_ / L"long.bmp");
    EXPECT_EQ(image.width, area.right - area.left);
    EXPECT_EQ(image.height, area.bottom - area.top + scrolledLines * lineHeight);
}

}  // namespace
}  // namespace Vorlune::Test
