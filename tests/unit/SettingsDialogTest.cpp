// The settings dialog on real controls and a real INI file; the shell browser is replaced.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>

#include "MessageBoxWatcher.h"
#include "Scratch.h"
#include "Wait.h"
#include "app/AppContext.h"
#include "settings/ImageFolder.h"
#include "settings/TempFolder.h"
#include "settings_dialog/Pickers.h"
#include "settings_dialog/SettingsWindow.h"

namespace Vorlune::Test {
namespace {

// A control of the dialog or of one of its pages; the ids differ across pages.
HWND FindControl(HWND dialog, int id) {
    for (HWND page = GetWindow(dialog, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT))
        if (HWND control = GetDlgItem(page, id)) return control;
    return GetDlgItem(dialog, id);
}

LRESULT Send(HWND dialog, int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageW(FindControl(dialog, id), message, w, l);
}

// The INI text without its byte-order mark; empty when there is no file.
std::wstring Ini() { return FileExists(IniPath()) ? ReadUtf16File(IniPath()) : L""; }

struct Opening {
    std::wstring selected;  // the tree item shown selected
    bool finished = false;  // the completion callback ran
};

// Opens the dialog through window, runs steps on it from another thread, then sends command.
Opening Open(SettingsWindow& window, std::function<void(HWND)> steps, int command = 1004) {
    Opening seen;
    std::thread driver([&] {
        HWND dialog = nullptr;
        const std::wstring caption = App().title + L" - " + App().GetText(TextSettingsCaption);
        // Shown only once WM_INITDIALOG is over.
        WaitUntil([&] {
            dialog = FindWindowW(L"#32770", caption.c_str());
            return dialog != nullptr && IsWindowVisible(dialog);
        });
        if (dialog == nullptr) return;
        HWND tree = GetDlgItem(dialog, 1000);
        seen.selected = GetTreeItemText(tree, TreeView_GetSelection(tree));
        steps(dialog);
        if (command != 0 && IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, command, 0);
    });
    window.Act([&] { seen.finished = true; });
    driver.join();
    return seen;
}

class SettingsDialogTest : public testing::Test {
protected:
    // Each case starts without an INI file, in Japanese; other tests keep what they set in guards.
    void SetUp() override {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        TearDown();
    }
    void TearDown() override {
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(IniPath().c_str());
        App().Language = 0;
    }
    static std::wstring browsed;
    static std::wstring Browse(UINT flags, HWND, const std::wstring& from, const std::wstring& caption, const std::wstring&) {
        browsed = std::to_wstring(flags) + L"|" + from + L"|" + caption;
        return L"C:\\picked";
    }
    SettingsWindow window{nullptr, {Browse, {}}};
};
std::wstring SettingsDialogTest::browsed;

TEST_F(SettingsDialogTest, FirstOpeningShowsTheDefaultsAndCancelStoresOnlyThePage) {
    const Opening seen = Open(window, [](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), App().title + L" - \u8A2D\u5B9A");
        EXPECT_TRUE(IsWindowVisible(GetParent(FindControl(dialog, 1010))));  // the General page
        EXPECT_EQ(WindowText(FindControl(dialog, 1001)), L"mspaint");
        EXPECT_EQ(WindowText(FindControl(dialog, 1003)), GetSaveFolder());
        EXPECT_EQ(Send(dialog, 1028, CB_GETCURSEL), 0);
        EXPECT_EQ(WindowText(FindControl(dialog, 1019)), L"10");
        EXPECT_EQ(WindowText(FindControl(dialog, 1022)), L"3");
        EXPECT_EQ(Send(dialog, 1014, BM_GETCHECK), BST_CHECKED);
        EXPECT_EQ(WindowText(FindControl(dialog, 1011)), App().GetText(TextLegalNotice));
    });
    EXPECT_EQ(seen.selected, L"\u5168\u822C");
    EXPECT_TRUE(seen.finished);
    EXPECT_EQ(Ini(), L"[Settings]\r\nTreeViewSelectedItemString=\u5168\u822C\r\n");
}

TEST_F(SettingsDialogTest, OkStoresEveryControlExactly) {
    App().Language = 1;
    const std::wstring folder = GetSaveFolder();
    Open(window, [](HWND dialog) {
        for (int box : {1013, 1014, 1007, 1008, 1021, 1009})
            Send(dialog, box, BM_SETCHECK, box == 1014 ? BST_UNCHECKED : BST_CHECKED);
        SetWindowTextW(FindControl(dialog, 1001), L"C:\\v.exe");
        Send(dialog, 1005, BM_CLICK);  // the folder browser answers C:\picked
        Send(dialog, 1028, CB_SETCURSEL, 2);
        Send(dialog, 1019, CB_SETCURSEL, 1);
        Send(dialog, 1022, CB_SETCURSEL, 5);
        HWND colours = FindWindowExW(GetParent(FindControl(dialog, 1001)), nullptr, L"ComboBoxEx32", nullptr);
        SendMessageW(colours, CB_SETCURSEL, 12, 0);
    }, 1024);
    EXPECT_EQ(browsed, L"1|" + folder + L"|Browse folder");
    EXPECT_EQ(Ini(),
              L"[Settings]\r\nAppTopMost=1\r\nButtonToolTip=0\r\nViewer=C:\\v.exe\r\nSaveFolder=C:\\picked\r\n"
              L"DeleteImage=1\r\nClipBoard=2\r\nAuxiliaryLineColor=12\r\nAlwaysAuxiliaryLine=1\r\n"
              L"ZoomWindowMagnification=6\r\nMouseToolTip=1\r\nMouseToolTipHidden=1\r\nDelaySeconds=15\r\n"
              L"TreeViewSelectedItemString=General\r\n");
}

TEST_F(SettingsDialogTest, StoredValuesOutsideTheListsShowTheFirstEntryAndOkStoresIt) {
    WriteUtf16File(IniPath(), L"[Settings]\r\nZoomWindowMagnification=4\r\nDelaySeconds=4\r\nAuxiliaryLineColor=16\r\n"
                              L"MouseToolTip=2\r\nClipBoard=3\r\nTreeViewSelectedItemString=\u77E9\u5F62\r\n");
    const std::wstring folder = GetSaveFolder();
    const Opening seen = Open(window, [](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(GetParent(FindControl(dialog, 1019))));  // the Rectangle page, remembered
        EXPECT_EQ(Send(dialog, 1021, BM_GETCHECK), BST_UNCHECKED);
    }, 1024);
    EXPECT_EQ(seen.selected, L"\u77E9\u5F62");
    EXPECT_EQ(Ini(), L"[Settings]\r\nZoomWindowMagnification=3\r\nDelaySeconds=1\r\nAuxiliaryLineColor=9\r\n"
                     L"MouseToolTip=0\r\nClipBoard=0\r\nTreeViewSelectedItemString=\u77E9\u5F62\r\nAppTopMost=0\r\n"
                     L"ButtonToolTip=1\r\nViewer=mspaint\r\nSaveFolder=" + folder + L"\r\nDeleteImage=0\r\n"
                     L"AlwaysAuxiliaryLine=0\r\nMouseToolTipHidden=0\r\n");
}

TEST_F(SettingsDialogTest, EmptyFieldsKeepTheDialogOpenAndWriteNothing) {
    struct Case { int field; int language; std::wstring message; } cases[] = {
        {1001, 0, L"\u5207\u308A\u53D6\u308A\u753B\u50CF\u95B2\u89A7\u30A2\u30D7\u30EA\u3092\u6307\u5B9A\u3057\u3066\u4E0B\u3055\u3044"},
        {1003, 1, L"Specify the temporary saving folder for cropped images"}};
    for (const Case& c : cases) {
        App().Language = c.language;
        DeleteFileW(IniPath().c_str());
        MessageBoxWatcher boxes;
        bool stillOpen = false;
        Open(window, [&](HWND dialog) {
            SetWindowTextW(FindControl(dialog, c.field), L"");
            SendMessageW(dialog, WM_COMMAND, 1024, 0);  // returns once the box is answered
            stillOpen = IsWindowVisible(dialog) != FALSE;
            EXPECT_EQ(Ini(), L"");
        });
        EXPECT_TRUE(stillOpen);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].caption + L"|" + boxes.Seen()[0].text, App().title + L"|" + c.message);
    }
}

TEST_F(SettingsDialogTest, InitializationResetsOnlyWhenTheFileCanGo) {
    HWND owner = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 100, 100, 230, 89, nullptr, nullptr, nullptr, nullptr);
    SettingsWindow resetting(owner, {});
    struct Case { bool file, readOnly; int answer; bool closes; const wchar_t* message; } cases[] = {
        {true, false, IDCANCEL, false, L""}, {false, false, IDOK, false, L""},
        {true, true, IDOK, false, L"ini. file initialization failed|"}, {true, false, IDOK, true, L""}};
    App().Language = 1;
    for (const Case& c : cases) {
        DeleteFileW(IniPath().c_str());
        if (c.file) WriteUtf16File(IniPath(), L"[Settings]\r\nAppTopMost=1\r\nViewer=x\r\n");
        if (c.readOnly) SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
        MessageBoxWatcher boxes(0, c.answer);
        bool closed = false;
        Open(resetting, [&](HWND dialog) {
            SendMessageW(dialog, WM_COMMAND, 1025, 0);
            closed = WaitUntil([&] { return !IsWindowVisible(dialog); }, 1s);
        });
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(closed, c.closes);
        std::wstring texts;
        for (const SeenBox& box : boxes.Seen()) texts += box.text + L"|";
        EXPECT_EQ(texts, std::wstring(L"Do you want to reset the settings to the default values?|") + c.message);
        EXPECT_EQ(Ini().find(L"Viewer=x") != std::wstring::npos, c.file && !c.closes);
        // Only a reset gives the toolbar its default place in the z-order back.
        EXPECT_EQ((GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, !c.closes);
    }
    DestroyWindow(owner);
}

TEST_F(SettingsDialogTest, AnErrorInsideIsShownAndEndsTheDialog) {
    MessageBoxWatcher boxes;
    SettingsWindow failing(nullptr, {[](UINT, HWND, const std::wstring&, const std::wstring&,
                                        const std::wstring&) -> std::wstring { throw std::runtime_error("no shell"); },
                                     {}});
    bool ended = false;
    const Opening seen = Open(failing, [&](HWND dialog) {
        Send(dialog, 1002, BM_CLICK);
        ended = WaitUntil([&] { return !IsWindow(dialog); }, 3s);
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(seen.finished);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, L"no shell");
}

TEST_F(SettingsDialogTest, EveryOpeningRunsTheCallbackOfItsOpenerAndFindsThePageAgain) {
    auto second = std::make_unique<SettingsWindow>(nullptr, DialogServices{});
    for (int i = 0; i < 6; ++i) {
        App().Language = i < 4 ? 1 : 0;  // a page stored in English is not found in Japanese
        const Opening seen = Open(i % 2 ? *second : window, [](HWND dialog) {
            HWND tree = GetDlgItem(dialog, 1000);
            TreeView_SelectItem(tree, TreeView_GetLastVisible(tree));
            EXPECT_TRUE(IsWindowVisible(GetParent(FindControl(dialog, 1022))));
        });
        EXPECT_EQ(seen.selected, App().GetText(i == 0 || i == 4 ? TextGeneralPage : TextDesktopPage)) << i;
        EXPECT_TRUE(seen.finished) << i;
    }
    second.reset();  // the dialog outlives the window that opened it first
    EXPECT_TRUE(Open(window, [](HWND) {}).finished);
}

TEST_F(SettingsDialogTest, WithoutAColourListTheStoredColourStays) {
    HINSTANCE comctl = GetModuleHandleW(L"comctl32.dll");
    WNDCLASSEXW kind = {};
    kind.cbSize = sizeof kind;
    ASSERT_TRUE(GetClassInfoExW(comctl, L"ComboBoxEx32", &kind));
    ASSERT_TRUE(UnregisterClassW(L"ComboBoxEx32", comctl));
    WriteUtf16File(IniPath(), L"[Settings]\r\nAuxiliaryLineColor=3\r\n");
    Open(window, [](HWND) {}, 1024);
    kind.hInstance = comctl;
    RegisterClassExW(&kind);
    EXPECT_NE(Ini().find(L"AuxiliaryLineColor=3\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace Vorlune::Test
