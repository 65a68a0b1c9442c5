// The settings dialog on real controls and a real INI file, with the shell browser replaced.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>

#include "GlimraApp.h"  // IniValue, PageControl
#include "MessageBoxWatcher.h"
#include "Scratch.h"
#include "Screen.h"  // OwnerWindow
#include "app/AppContext.h"
#include "resources/resource.h"
#include "settings/ImageFolder.h"
#include "settings/TempFolder.h"
#include "settings_dialog/Pickers.h"
#include "settings_dialog/SettingsWindow.h"

namespace Vorlune::Test {
namespace {

LRESULT Send(HWND dialog, int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageW(PageControl(dialog, id), message, w, l);
}
bool PageShown(HWND dialog, int id) { return IsWindowVisible(GetParent(PageControl(dialog, id))) != FALSE; }
std::wstring TextsOf(HWND dialog, std::initializer_list<int> ids) {  // each followed by "|"
    std::wstring texts;
    for (int id : ids) texts += GetWindowTextString(PageControl(dialog, id)) + L"|";
    return texts;
}
// The INI text without its byte-order mark; empty when there is no file.
std::wstring Ini() { return FileExists(IniPath()) ? ReadUtf16File(IniPath()) : L""; }

struct Opening {
    std::wstring selected;  // the tree item shown selected
    bool finished = false;  // the completion callback ran
};

// Opens the dialog through window, runs steps on it from another thread, then sends command.
Opening Open(SettingsWindow& window, const std::function<void(HWND)>& steps = {}, int command = IDC_SETTINGS_CANCEL,
             bool callback = true) {
    Opening seen;
    std::thread driver([&] {
        HWND dialog = nullptr;
        const std::wstring caption = App().title + L" - " + App().GetText(TextSettingsCaption);
        // Shown only once WM_INITDIALOG is over.
        WaitUntil(
            [&] { return (dialog = FindWindowW(L"#32770", caption.c_str())) != nullptr && IsWindowVisible(dialog); });
        if (dialog == nullptr) return;
        HWND tree = GetDlgItem(dialog, IDC_SETTINGS_TREE);
        seen.selected = GetTreeItemText(tree, TreeView_GetSelection(tree));
        if (steps) steps(dialog);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, command, 0);
    });
    window.Act(callback ? std::function<void()>([&] { seen.finished = true; }) : nullptr);
    driver.join();
    return seen;
}

// Each case starts without an INI file, in Japanese; other tests keep what they set in guards.
class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
        TearDown();
    }
    void TearDown() override {
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(IniPath().c_str());
        App().Language = 0;
        works = true;
    }
    static inline bool works = true;  // else the browser throws
    SettingsWindow window{nullptr,
                          {[](UINT, HWND, const std::wstring&, const std::wstring&, const std::wstring&) {
                               if (!works) throw std::runtime_error("no shell");
                               return std::wstring(L"C:\\picked");
                           },
                           {}}};
};

// OK with an empty path shows its message, stores nothing and keeps the dialog open.
void EmptyFieldAndOk(HWND dialog, int field, const std::wstring& ini) {
    SetWindowTextW(PageControl(dialog, field), L"");
    SendMessageW(dialog, WM_COMMAND, IDC_SETTINGS_OK, 0);  // returns once the box is answered
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Ini(), ini);
}

TEST_F(SettingsDialogTest, FirstOpeningShowsTheDefaults) {
    Open(window, [](HWND dialog) {
        EXPECT_TRUE(PageShown(dialog, IDC_VERSION));
        EXPECT_EQ(
            GetWindowTextString(dialog) + L"|" +
                TextsOf(dialog, {IDC_VIEWER, IDC_SAVE_FOLDER, IDC_ZOOM, IDC_DELAY, IDC_LEGAL_NOTICE}),
            App().title + L" - 設定|mspaint|" + GetSaveFolder() + L"|10|3|" + App().GetText(TextLegalNotice) + L"|");
        EXPECT_EQ(TextsOf(dialog, {IDC_IMAGE_FORMAT_GROUP, IDC_IMAGE_FORMAT}), L"画像形式|BMP (24ビット、無圧縮)|");
        EXPECT_EQ(Send(dialog, IDC_CLIPBOARD, CB_GETCURSEL), 0);
        EXPECT_EQ(Send(dialog, IDC_BUTTON_TOOLTIP, BM_GETCHECK), BST_CHECKED);
        // The path limits: no more than the settings store reads back.
        EXPECT_EQ(Send(dialog, IDC_VIEWER, EM_GETLIMITTEXT), 998);
        EXPECT_EQ(Send(dialog, IDC_SAVE_FOLDER, EM_GETLIMITTEXT), 998);
    });
}

// A program's window below the hidden toolbar: when the dialog closes, the toolbar must have the
// activation already, else the system hands it to this window, which would come up in front.
TEST(SettingsDialogClosing, GivesTheActivationBackToTheToolbarAndToNoWindowBelow) {
    static int activations = 0;
    WNDCLASSW below = {};
    below.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == WM_ACTIVATE && LOWORD(w) != WA_INACTIVE) ++activations;
        return DefWindowProcW(hwnd, message, w, l);
    };
    below.lpszClassName = L"GlimraTestBelow";
    RegisterClassW(&below);
    OwnedWindow program(CreateWindowExW(0, below.lpszClassName, L"below", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                        nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(program.get());
    OwnerWindow toolbar;
    SettingsWindow window{toolbar.Handle(), {}};
    Open(window, [](HWND) { activations = 0; });
    EXPECT_EQ(activations, 0);
    EXPECT_TRUE(IsWindowVisible(toolbar.Handle()));
    EXPECT_EQ(GetForegroundWindow(), toolbar.Handle());
}

TEST_F(SettingsDialogTest, OkRefusesAnEmptyFolderWithItsMessage) {
    MessageBoxWatcher boxes;
    Open(window, [](HWND dialog) { EmptyFieldAndOk(dialog, IDC_SAVE_FOLDER, L""); });
    EXPECT_EQ(boxes.Texts(), App().title + L"|切り取り画像の一時保存フォルダを指定して下さい|");
}

TEST_F(SettingsDialogTest, OkRefusesAHeightLimitBelowItsRangeWithItsMessage) {
    MessageBoxWatcher boxes;
    Open(window, [](HWND dialog) {
        SetWindowTextW(PageControl(dialog, IDC_SCROLL_MAX_HEIGHT), L"999");
        SendMessageW(dialog, WM_COMMAND, IDC_SETTINGS_OK, 0);  // returns once the box is answered
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(Ini(), L"");
    });
    EXPECT_EQ(boxes.Texts(), App().title + L"|スクロールキャプチャの高さの上限は 1000 から 1000000 までの数です。|");
}

// What the resources must give beyond the controls the other tests use: a link that leaves its
// mouse messages to the page, and the sign between the zoom's texts intact.
TEST_F(SettingsDialogTest, TheLinkLeavesItsClicksToThePage) {
    Open(window,
         [](HWND dialog) { EXPECT_FALSE(GetWindowLongW(PageControl(dialog, IDC_WEB_PAGE), GWL_STYLE) & SS_NOTIFY); });
}

TEST_F(SettingsDialogTest, TheZoomPageShowsTheTimesSign) {
    Open(window, [](HWND dialog) {
        EXPECT_NE(FindWindowExW(GetParent(PageControl(dialog, IDC_ZOOM)), nullptr, L"Static", L"\u00D7"), nullptr);
    });
}

// Stored values out of the lists: each list shows its first entry, the colour list its default.
class StoredOutOfRange : public SettingsDialogTest {
protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        App().Language = 1;
        WriteUtf16File(IniPath(), stored);
    }
    static HWND Colours(HWND dialog) {
        return FindWindowExW(GetParent(PageControl(dialog, IDC_VIEWER)), nullptr, L"ComboBoxEx32", nullptr);
    }
    const std::wstring stored =
        L"[Settings]\r\nZoomWindowMagnification=4\r\nDelaySeconds=4\r\nAuxiliaryLineColor=16\r\n"
        L"MouseToolTip=2\r\nClipBoard=3\r\nImageFormat=2\r\nTreeViewSelectedItemString=Rectanglel\r\n";
};

TEST_F(StoredOutOfRange, EachListShowsItsFirstEntry) {
    Open(window, [&](HWND dialog) {
        EXPECT_TRUE(PageShown(dialog, IDC_ZOOM));
        EXPECT_EQ(TextsOf(dialog, {IDC_ZOOM, IDC_DELAY, IDC_IMAGE_FORMAT_GROUP, IDC_IMAGE_FORMAT}),
                  L"3|1|Image format|BMP (24-bit, uncompressed)|");
        EXPECT_EQ(Send(dialog, IDC_CLIPBOARD, CB_GETCURSEL), 0);
        EXPECT_EQ(SendMessageW(Colours(dialog), CB_GETCURSEL, 0, 0), 9);
        EXPECT_EQ(Send(dialog, IDC_WINDOW_MOUSE_TOOLTIP, BM_GETCHECK), BST_UNCHECKED);
    });
}

TEST_F(StoredOutOfRange, OkRefusesAnEmptyViewerWithItsMessage) {
    MessageBoxWatcher boxes;
    Open(window, [&](HWND dialog) { EmptyFieldAndOk(dialog, IDC_VIEWER, stored); });
    EXPECT_EQ(boxes.Texts(), App().title + L"|Specify a cropped image viewing application|");
}

// A value the page can show only as its first entry is not the user's choice of that entry.
TEST_F(StoredOutOfRange, OkKeepsWhatTheListsCannotShow) {
    Open(window, {}, IDC_SETTINGS_OK);
    for (auto [key, value] : {std::pair{L"ZoomWindowMagnification", L"4"},
                              {L"DelaySeconds", L"4"},
                              {L"AuxiliaryLineColor", L"16"},
                              {L"ClipBoard", L"3"},
                              {L"ImageFormat", L"2"}})
        EXPECT_EQ(IniValue(IniPath(), L"Settings", key), std::wstring(value)) << Narrow(key);
}

// The user's pick, as the list tells its page of it.
void Pick(HWND list, int entry) {
    SendMessageW(list, CB_SETCURSEL, entry, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

TEST_F(StoredOutOfRange, OkStoresEveryControlExactly) {
    Open(
        window,
        [&](HWND dialog) {
            HWND colours = Colours(dialog);
            for (int box : {IDC_KEEP_IN_FRONT, IDC_BUTTON_TOOLTIP, IDC_DELETE_IMAGES, IDC_LINE_WHILE_DRAGGING,
                            IDC_WINDOW_MOUSE_TOOLTIP, IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP})
                Send(dialog, box, BM_SETCHECK, box == IDC_BUTTON_TOOLTIP ? BST_UNCHECKED : BST_CHECKED);
            SetWindowTextW(PageControl(dialog, IDC_VIEWER), L"C:\\v.exe");
            Send(dialog, IDC_SAVE_FOLDER_BROWSE, BM_CLICK);  // the folder browser answers C:\picked
            for (auto [list, entry] :
                 {std::pair{IDC_CLIPBOARD, 2}, {IDC_ZOOM, 1}, {IDC_DELAY, 5}, {IDC_IMAGE_FORMAT, 1}})
                Pick(PageControl(dialog, list), entry);
            EXPECT_EQ(TextsOf(dialog, {IDC_IMAGE_FORMAT}), L"PNG (lossless, compressed)|");
            Pick(colours, 12);
            Send(dialog, IDC_HOTKEY_WINDOW, HKM_SETHOTKEY, 0x357);
            Send(dialog, IDC_HOTKEY_LAST_REGION, HKM_SETHOTKEY, VK_F9);
            Send(dialog, IDC_HOTKEY_SCROLLING, HKM_SETHOTKEY, 0x353);
            SetWindowTextW(PageControl(dialog, IDC_SCROLL_MAX_HEIGHT), L"45000");
        },
        IDC_SETTINGS_OK);
    EXPECT_EQ(
        Ini(),
        L"[Settings]\r\nZoomWindowMagnification=6\r\nDelaySeconds=15\r\nAuxiliaryLineColor=12\r\nMouseToolTip=1\r\n"
        L"ClipBoard=2\r\nImageFormat=1\r\nTreeViewSelectedItemString=Rectanglel\r\nAppTopMost=1\r\nButtonToolTip=0\r\n"
        L"HotKeyRectangle=0\r\nHotKeyWindow=855\r\nHotKeyHiddenWindow=0\r\nHotKeyDesktop=0\r\nHotKeyLastRegion=120\r\n"
        L"HotKeyScrolling=851\r\nViewer=C:\\v.exe\r\n"
        L"SaveFolder=C:\\picked\r\nDeleteImage=1\r\nScrollMaxHeight=45000\r\nAlwaysAuxiliaryLine=1\r\nMouseToolTipHidden=1\r\n");
}

// Typed into the rectangle's field, each key read back with the note; the note stays until a key goes in again.
TEST_F(SettingsDialogTest, AHotKeyFieldTakesAKeyAloneOnlyIfItIsAFunctionKey) {
    Open(window, [](HWND dialog) {
        const auto type = [dialog](WPARAM key) {
            Send(dialog, IDC_HOTKEY_RECTANGLE, WM_KEYDOWN, key);
            return std::to_wstring(Send(dialog, IDC_HOTKEY_RECTANGLE, HKM_GETHOTKEY)) + L"|" +
                   TextsOf(dialog, {IDC_HOTKEY_RECTANGLE_NOTE});
        };
        EXPECT_EQ(type('A'), L"0|Ctrl か Alt と組み合わせて下さい|");
        EXPECT_EQ(type(VK_F5), L"116||");
    });
}

// Only a reset that removed the file ends the dialog, and the toolbar is no longer topmost after it.
TEST_F(SettingsDialogTest, InitializationResetsOnlyWhenTheFileCanGo) {
    const OwnerWindow owner;
    SetWindowPos(owner.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SettingsWindow resetting(owner.Handle(), {});
    struct Case {
        bool file, readOnly;
        int answer;
        bool closes;
        const wchar_t* failed;
    } cases[] = {{true, false, IDCANCEL, false, L""},
                 {false, false, IDOK, false, L""},
                 {true, true, IDOK, false, L"|ini. file initialization failed|"},
                 {true, false, IDOK, true, L""}};
    App().Language = 1;
    for (const Case& c : cases) {
        DeleteFileW(IniPath().c_str());
        if (c.file) WriteUtf16File(IniPath(), L"[Settings]\r\nAppTopMost=1\r\nViewer=x\r\n");
        if (c.readOnly) SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
        MessageBoxWatcher boxes(0, c.answer);
        Open(resetting, [&](HWND dialog) {
            SendMessageW(dialog, WM_COMMAND, IDC_SETTINGS_DEFAULTS, 0);
            EXPECT_EQ(WaitUntil([&] { return !IsWindowVisible(dialog); }, 1s), c.closes);
        });
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(boxes.Texts(), App().title + L"|Do you want to reset the settings to the default values?|" +
                                     (*c.failed ? App().title + c.failed : L""));
        EXPECT_EQ(Ini().find(L"Viewer=x") != std::wstring::npos, c.file && !c.closes);
        EXPECT_EQ((GetWindowLongW(owner.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, !c.closes);
    }
}

TEST_F(SettingsDialogTest, OkWithKeepInFrontPutsTheOwnerInFront) {
    const OwnerWindow owner;
    SettingsWindow owned(owner.Handle(), {});
    Open(
        owned, [](HWND dialog) { Send(dialog, IDC_KEEP_IN_FRONT, BM_SETCHECK, BST_CHECKED); }, IDC_SETTINGS_OK);
    EXPECT_TRUE(GetWindowLongW(owner.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Cancel and Escape store the page alone; a page stored in English is not found in Japanese.
TEST_F(SettingsDialogTest, TheLastPageShownOpensAgainInItsLanguage) {
    const auto toLastPage = [](HWND dialog) {
        HWND tree = GetDlgItem(dialog, IDC_SETTINGS_TREE);
        TreeView_SelectItem(tree, TreeView_GetLastVisible(tree));
        EXPECT_TRUE(PageShown(dialog, IDC_DELAY));
    };
    App().Language = 1;
    Open(window, toLastPage, IDCANCEL);
    EXPECT_EQ(Open(window).selected, App().GetText(TextDesktopPage));
    App().Language = 0;
    EXPECT_EQ(Open(window, toLastPage).selected, App().GetText(TextGeneralPage));
    EXPECT_EQ(Ini(), L"[Settings]\r\nTreeViewSelectedItemString=デスクトップ\r\n");
}

// The dialog outlives the window that opened it first; an empty callback is never called.
TEST_F(SettingsDialogTest, EveryOpeningRunsItsOwnOpenersCallback) {
    auto second = std::make_unique<SettingsWindow>(nullptr, DialogServices{});
    EXPECT_TRUE(Open(*second).finished);
    EXPECT_FALSE(Open(*second, {}, IDC_SETTINGS_CANCEL, false).finished);
    second.reset();
    EXPECT_TRUE(Open(window).finished);
}

// Runs steps while the common-controls class is unregistered.
void WithoutClass(const wchar_t* name, const std::function<void()>& steps) {
    HINSTANCE comctl = GetModuleHandleW(L"comctl32.dll");
    WNDCLASSEXW kind = {};
    kind.cbSize = sizeof kind;
    ASSERT_TRUE(GetClassInfoExW(comctl, name, &kind));
    ASSERT_TRUE(UnregisterClassW(name, comctl));
    steps();
    kind.hInstance = comctl;
    RegisterClassExW(&kind);
}

TEST_F(SettingsDialogTest, AColourListThatCouldNotBeMadeKeepsTheStoredColour) {
    WriteUtf16File(IniPath(), L"[Settings]\r\nAuxiliaryLineColor=3\r\n");
    WithoutClass(L"ComboBoxEx32", [&] { Open(window, {}, IDC_SETTINGS_OK); });
    EXPECT_NE(Ini().find(L"AuxiliaryLineColor=3\r\n"), std::wstring::npos);
}

TEST_F(SettingsDialogTest, AnErrorInsideIsShownThenEndsTheDialog) {
    works = false;
    MessageBoxWatcher boxes;
    EXPECT_TRUE(Open(window, [&](HWND dialog) {
                    Send(dialog, IDC_VIEWER_BROWSE, BM_CLICK);
                    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3s));
                }).finished);
    EXPECT_EQ(boxes.Texts(), App().title + L"|no shell|");
}

TEST_F(SettingsDialogTest, ADialogThatCouldNotBeMadeStillEndsItsOpening) {
    bool finished = false;
    WithoutClass(L"SysTreeView32", [&] { window.Act([&] { finished = true; }); });
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace Vorlune::Test
