// The real toolbar's commands, driven by clicks on its buttons.
#include <gtest/gtest.h>

#include "GlimraApp.h"
#include "ImageFiles.h"
#include "Capture/ImageFileNamer.h"

namespace Vorlune::Test {
namespace {

constexpr int kTree = 1000, kFolderEdit = 1003, kCancel = 1004, kTopMost = 1013, kOk = 1024;

POINT CommandButton(int i) { return {25 + 45 * i, 49}; }

void Post(HWND window, UINT message, POINT client) { PostMessageW(window, message, 0, MAKELPARAM(client.x, client.y)); }

void Click(HWND window, POINT client) {
    Post(window, WM_LBUTTONDOWN, client);
    Post(window, WM_LBUTTONUP, client);
}

struct DialogSearch {
    DWORD pid;
    int count = 0;
    HWND found = nullptr;
};

// The settings dialogs of the process, and one of them on the screen.
DialogSearch SettingsDialogs(GlimraApp& app) {
    DialogSearch search{app.Proc().Id()};
    EnumWindows(
        [](HWND hwnd, LPARAM param) {
            auto* s = reinterpret_cast<DialogSearch*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != s->pid || GetDlgItem(hwnd, kTree) == nullptr) return TRUE;
            ++s->count;
            if (IsWindowVisible(hwnd)) s->found = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search;
}

HWND WaitDialog(GlimraApp& app) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = SettingsDialogs(app).found) != nullptr; });
    return dialog;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Cancel(HWND dialog) { Press(dialog, kCancel); }

// A control of the dialog's pages, shown or not.
HWND PageControl(HWND dialog, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (GetDlgCtrlID(child) == s->id && (s->found == nullptr || IsWindowVisible(child))) s->found = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ToolbarBack(GlimraApp& app) {
    return WaitUntil([&] { return IsWindowVisible(app.Window()) && SettingsDialogs(app).count == 0; });
}

void SetIni(GlimraApp& app, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    WritePrivateProfileStringW(section, key, value.c_str(), app.IniPath().c_str());
}

std::wstring TodaysFolder(GlimraApp& app) { return app.AppFolder() + DayFolderName(LocalDateNow()) + L"\\"; }

TEST(Commands, EveryCommandRunsItsModeAndTheToolbarComesBackEachTime) {
    GlimraApp app;
    // With the cursor toggle on, the desktop mode waits on its overlay too.
    app.WriteIni(L"[Settings]\r\nClipBoard=2\r\nDelaySeconds=0\r\n[Gui]\r\n13=1\r\n");
    ASSERT_TRUE(app.Start());
    struct Mode {
        int button;
        const wchar_t* toggle;
        const wchar_t* value;
        const wchar_t* overlay;
    };
    const Mode modes[] = {{0, L"5", L"0", L"RectangleCapture"},       {0, L"5", L"2", L"RectangleCaptureWithMagnifier"},
                          {1, L"6", L"0", L"WindowCaptureTop"},       {1, L"6", L"1", L"WindowCaptureAll"},
                          {2, L"7", L"0", L"HiddenWindowCaptureTop"}, {2, L"7", L"1", L"HiddenWindowCaptureAll"},
                          {3, L"8", L"0", L"DesktopCapture"},         {0, L"5", L"0", L"RectangleCapture"}};
    HWND first = nullptr;
    for (const Mode& m : modes) {
        SetIni(app, L"Gui", m.toggle, m.value);
        Click(app.Window(), CommandButton(m.button));
        HWND overlay = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            overlay = app.Proc().FindWindowOf(m.overlay);
            return overlay != nullptr && IsWindowVisible(overlay) && !IsWindowVisible(app.Window());
        })) << Narrow(m.overlay);
        if (first == nullptr) first = overlay;
        PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Window()) && !IsWindowVisible(overlay); }));
    }
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), first) << "a second click reuses the mode";

    SetIni(app, L"Gui", L"8", L"1");  // delayed, by no seconds: the whole screen at once
    Click(app.Window(), CommandButton(3));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(TodaysFolder(app) + L"00001.bmp"); }));
    EXPECT_TRUE(ToolbarBack(app));

    Click(app.Window(), CommandButton(4));
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    Cancel(dialog);
    EXPECT_TRUE(ToolbarBack(app));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

TEST(Commands, AMissingImageFolderIsReportedAndTheCapturePageOpens) {
    struct Language {
        const wchar_t* toggle;
        std::wstring text, page;
    };
    const Language languages[] = {
        {L"0", L"切り取り画像の一時保存フォルダが存在しません。\r\n設定画面で正しいパスを設定して下さい。", L"切り取り"},
        {L"1", L"Folder for temporary saving images does not exist.\r\nSet the correct path in the settings dialog.",
         L"Capture"}};
    for (const Language& language : languages) {
        GlimraApp app;
        const std::wstring folder = app.TempFolder() + L"no\\such";
        app.WriteIni(L"[Settings]\r\nSaveFolder=" + folder + L"\r\n[Gui]\r\n9=" + language.toggle + L"\r\n");
        ASSERT_TRUE(app.Start());
        Click(app.Window(), CommandButton(4));  // the settings need no folder
        HWND dialog = WaitDialog(app);
        ASSERT_NE(dialog, nullptr);
        Cancel(dialog);
        ASSERT_TRUE(ToolbarBack(app));
        EXPECT_TRUE(app.Boxes().Seen().empty());

        Click(app.Window(), CommandButton(0));
        ASSERT_TRUE(app.Boxes().WaitForCount(1));
        EXPECT_EQ(app.Boxes().Seen()[0].caption, L"Glimra");
        EXPECT_EQ(app.Boxes().Seen()[0].text, language.text + L"\r\n\r\n" + folder);
        ASSERT_NE(dialog = WaitDialog(app), nullptr);
        HWND edit = PageControl(dialog, kFolderEdit);
        ASSERT_TRUE(edit != nullptr && IsWindowVisible(edit)) << "the page with the folder is shown";
        wchar_t text[MAX_PATH] = {};
        SendMessageW(edit, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, folder);
        Cancel(dialog);
        EXPECT_TRUE(ToolbarBack(app));
        EXPECT_FALSE(FolderExists(folder));
        EXPECT_EQ(app.Close(), 0u);
        EXPECT_EQ(IniValue(app.ReadIni(), L"Settings", L"TreeViewSelectedItemString"), language.page);
    }
}

TEST(Commands, AFailingCommandShowsItsBoxFirstThenTheToolbar) {
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nDelaySeconds=soon\r\n[Gui]\r\n8=1\r\n");
    bool shownDuringBox = true;
    ASSERT_TRUE(app.Start({}, [&](const SeenBox&) { shownDuringBox = IsWindowVisible(app.Window()) != FALSE; }));
    Click(app.Window(), CommandButton(3));
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    EXPECT_EQ(app.Boxes().Seen()[0].text, L"invalid stoi argument");
    EXPECT_EQ(app.Boxes().Seen()[0].caption, L"Glimra");
    EXPECT_FALSE(shownDuringBox);
    EXPECT_TRUE(ToolbarBack(app));
    Click(app.Window(), CommandButton(4));  // and it takes commands again
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    Cancel(dialog);
    EXPECT_TRUE(ToolbarBack(app));
    EXPECT_EQ(app.Close(), 0u);
}

// Clicks queued behind the first reach the toolbar while its command runs.
TEST(Commands, ClicksWhileACommandRunsAreIgnored) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    Click(app.Window(), CommandButton(4));
    Click(app.Window(), CommandButton(4));
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    Cancel(dialog);  // queued behind the second click: a dialog that second click opened would stay
    EXPECT_TRUE(ToolbarBack(app));

    Click(app.Window(), CommandButton(0));
    Click(app.Window(), CommandButton(0));
    HWND overlay = app.Proc().WaitWindow(L"RectangleCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) != FALSE; }));
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Window()) && !IsWindowVisible(overlay); }));
    EXPECT_EQ(app.Close(), 0u);
}

TEST(Commands, KeepInFrontTakesEffectWhenTheDialogIsConfirmed) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    for (const auto& [check, value] : {std::pair{BST_CHECKED, L"1"}, std::pair{BST_UNCHECKED, L"0"}}) {
        Click(app.Window(), CommandButton(4));
        HWND dialog = WaitDialog(app);
        ASSERT_NE(dialog, nullptr);
        SendMessageW(PageControl(dialog, kTopMost), BM_SETCHECK, check, 0);
        Press(dialog, kOk);
        ASSERT_TRUE(ToolbarBack(app));
        EXPECT_EQ((GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, check == BST_CHECKED);
        EXPECT_EQ(IniValue(app.ReadIni(), L"Settings", L"AppTopMost"), value);
    }
    EXPECT_EQ(app.Close(), 0u);
}

void RealClick(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST(Commands, TheSettingsDialogGetsTheMouseAfterTheClickThatOpenedIt) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    POINT before = {};
    GetCursorPos(&before);
    const RECT toolbar = app.WindowRect();
    RealClick({toolbar.left + CommandButton(4).x, toolbar.top + CommandButton(4).y});
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    RECT cancel = {};
    GetWindowRect(GetDlgItem(dialog, kCancel), &cancel);
    RealClick({(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2});
    EXPECT_TRUE(ToolbarBack(app));
    SetCursorPos(before.x, before.y);
    EXPECT_EQ(app.Close(), 0u);
}

TEST(Commands, TheTitleBarDragsFromWhereTheWindowIsAndTheFrameFollowsTheFocus) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    HDC screen = GetDC(nullptr);
    struct Drag {
        POINT press, to;
        POINT expected;
    };
    // Put elsewhere first, as the system menu's Move would; the cursor toggle is no place to drag.
    for (const Drag& d : {Drag{{60, 12}, {75, 5}, {515, 393}}, Drag{{157, 13}, {172, 6}, {500, 400}}}) {
        SetWindowPos(app.Window(), nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Post(app.Window(), WM_LBUTTONDOWN, d.press);
        Post(app.Window(), WM_MOUSEMOVE, d.to);
        Post(app.Window(), WM_LBUTTONUP, d.to);
        // Handled after the drag: the unfocused frame where the window ended.
        Post(app.Window(), WM_KILLFOCUS, {});
        EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, d.expected.x, d.expected.y) == RGB(0xA5, 0xA5, 0xA5); }));
        EXPECT_EQ(app.WindowRect().left, d.expected.x) << d.press.x;
        EXPECT_EQ(app.WindowRect().top, d.expected.y) << d.press.x;
        Post(app.Window(), WM_SETFOCUS, {});
        EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, d.expected.x, d.expected.y) == RGB(0x18, 0x83, 0xD7); }));
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(app.Close(), 0u);
}

}  // namespace
}  // namespace Vorlune::Test
