// The real toolbar's commands, driven by clicks on its buttons.
#include <gtest/gtest.h>

#include "GlimraApp.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
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

POINT OnToolbar(GlimraApp& app, POINT client) {
    const RECT toolbar = app.WindowRect();
    return {toolbar.left + client.x, toolbar.top + client.y};
}

TEST(Commands, EveryCommandButtonWritesWhatTheUserPicked) {
    const RECT picture = {600, 300, 1000, 600};
    PatternWindow pattern(picture);
    ASSERT_TRUE(pattern.Shown());
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT dragged = {650, 350, 751, 421};
    enum Pick { Drag, Click, None };
    struct Journey {
        int button;
        const wchar_t* toggle;
        const wchar_t* value;
        const wchar_t* overlay;
        Pick pick;
        RECT image;
    };
    const Journey journeys[] = {
        {0, L"5", L"0", L"RectangleCapture", Drag, dragged},
        {0, L"5", L"1", L"RectangleCaptureWithMagnifier", Drag, dragged},
        {1, L"6", L"0", L"WindowCaptureTop", Click, picture},
        {1, L"6", L"1", L"WindowCaptureAll", Click, picture},
        {2, L"7", L"0", L"HiddenWindowCaptureTop", Click, picture},
        {2, L"7", L"1", L"HiddenWindowCaptureAll", Click, picture},
        {3, L"8", L"0", L"DesktopCapture", Click, screen},  // only with the cursor toggle on
        {3, L"8", L"1", nullptr, None, screen},             // delayed by no seconds
        {0, L"5", L"0", L"RectangleCapture", Drag, dragged},  // the same mode again
    };
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nClipBoard=2\r\nDelaySeconds=0\r\n");
    ASSERT_TRUE(app.Start());
    HWND first = nullptr;
    int number = 0;
    for (const Journey& j : journeys) {
        SCOPED_TRACE(testing::Message() << "button " << j.button << ", toggle " << Narrow(j.value));
        SetIni(app, L"Gui", j.toggle, j.value);
        SetIni(app, L"Gui", L"13", j.button == 3 ? L"1" : L"0");
        RealClick(OnToolbar(app, CommandButton(j.button)));
        if (j.overlay != nullptr) {
            HWND overlay = nullptr;
            ASSERT_TRUE(WaitUntil([&] {
                overlay = app.Proc().FindWindowOf(j.overlay);
                return overlay != nullptr && IsWindowVisible(overlay) && !IsWindowVisible(app.Window());
            }));
            if (first == nullptr) first = overlay;
            if (j.pick == Drag) {
                Input(MOUSEEVENTF_LEFTDOWN, {dragged.left, dragged.top});
                Input(0, {700, 400});
                Input(MOUSEEVENTF_LEFTUP, {dragged.right - 1, dragged.bottom - 1});
            } else {
                RealClick({800, 450});
            }
        }
        const std::wstring file = TodaysFolder(app) + ImageFileName(++number);
        ASSERT_TRUE(WaitUntil([&] { return FileExists(file) && IsWindowVisible(app.Window()); }));
        const Bitmap24 image = ReadBitmap24(file);
        ASSERT_TRUE(image.Valid());
        ASSERT_EQ(image.width, j.image.right - j.image.left);
        ASSERT_EQ(image.height, j.image.bottom - j.image.top);
        // The picked part shows the pattern; the desktop's is checked away from the cursor.
        const RECT check = j.image.right == screen.right ? RECT{620, 320, 700, 380} : j.image;
        for (LONG y = check.top; y < check.bottom; ++y)
            for (LONG x = check.left; x < check.right; ++x)
                ASSERT_EQ(image.Pixel(x - j.image.left, y - j.image.top), ScreenPattern(x, y)) << x << "," << y;
    }
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), first) << "a second click reuses the mode";

    RealClick(OnToolbar(app, CommandButton(4)));
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    Cancel(dialog);
    EXPECT_TRUE(ToolbarBack(app));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

// Writing the image fails from inside the overlay: the report is shown and the program ends.
TEST(Commands, AnImageThatCannotBeWrittenIsReportedAndEndsTheProgram) {
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nClipBoard=2\r\n[Gui]\r\n9=1\r\n");
    ASSERT_TRUE(app.Start());
    // A file where today's folder belongs.
    WriteUtf16File(TodaysFolder(app).substr(0, TodaysFolder(app).size() - 1), L"");
    RealClick(OnToolbar(app, CommandButton(0)));
    HWND overlay = app.Proc().WaitWindow(L"RectangleCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) != FALSE; }));
    RealClick({500, 500});
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    const std::wstring text = app.Boxes().Seen()[0].text;
    EXPECT_EQ(text.rfind(L"Error\r\nBitmap creation failed\r\n\r\nFile=", 0), 0u) << Narrow(text);
    EXPECT_NE(text.find(L"Desktop.cpp\r\nLine="), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"\r\nGetLastError()=3\r\n"), std::wstring::npos) << Narrow(text);
    EXPECT_EQ(app.Proc().WaitExit(), 1u);
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

// Cancel clicked with the real mouse: the toolbar let go of it before the dialog came.
void OpenAndCancelTheDialogByMouse(GlimraApp& app) {
    RealClick(OnToolbar(app, CommandButton(4)));
    HWND dialog = WaitDialog(app);
    ASSERT_NE(dialog, nullptr);
    RECT cancel = {};
    GetWindowRect(GetDlgItem(dialog, kCancel), &cancel);
    RealClick({(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2});
    ASSERT_TRUE(ToolbarBack(app));
}

TEST(Commands, TheTitleBarDragsFromWhereTheWindowIsAndItsButtonsAnswer) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    HDC screen = GetDC(nullptr);
    struct Drag {
        POINT press;
        POINT expected;
    };
    // Put elsewhere first, as the system menu's Move would; the cursor toggle is no place to drag.
    for (const Drag& d : {Drag{{60, 12}, {515, 393}}, Drag{{157, 13}, {500, 400}}}) {
        SCOPED_TRACE(d.press.x);
        SetWindowPos(app.Window(), nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const POINT press = {500 + d.press.x, 400 + d.press.y};
        Input(MOUSEEVENTF_LEFTDOWN, press);
        Input(0, {press.x + 15, press.y - 7});
        Input(MOUSEEVENTF_LEFTUP, {press.x + 15, press.y - 7});
        Input(0, {press.x + 60, press.y + 40});  // the drag has ended: the window stays
        // Input is served in order: once the dialog has come and gone, the moves were handled.
        ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialogByMouse(app));
        EXPECT_EQ(app.WindowRect().left, d.expected.x);
        EXPECT_EQ(app.WindowRect().top, d.expected.y);
        Post(app.Window(), WM_KILLFOCUS, {});
        EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, d.expected.x, d.expected.y) == RGB(0xA5, 0xA5, 0xA5); }));
        Post(app.Window(), WM_SETFOCUS, {});
        EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, d.expected.x, d.expected.y) == RGB(0x18, 0x83, 0xD7); }));
    }
    ReleaseDC(nullptr, screen);

    // The system menu opens at the left edge under the click; a click elsewhere closes it.
    RealClick(OnToolbar(app, {10, 12}));
    HWND menu = app.Proc().WaitWindow(L"#32768");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }));
    RECT menuRect = {};
    GetWindowRect(menu, &menuRect);
    EXPECT_EQ(menuRect.left, app.WindowRect().left);
    RealClick({1500, 900});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialogByMouse(app));
    EXPECT_EQ(app.Close(), 0u);
}

}  // namespace
}  // namespace Vorlune::Test
