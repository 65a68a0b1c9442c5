// The settings dialog's resources in Glimra.exe (in dialog units, as fonts differ under Wine),
// and the dialog on real controls and a real INI file, with the shell browser replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

#include "MessageBoxWatcher.h"
#include "Scratch.h"
#include "app/AppContext.h"
#include "resources/resource.h"
#include "settings/ImageFolder.h"
#include "settings/TempFolder.h"
#include "settings_dialog/Pickers.h"
#include "settings_dialog/SettingsWindow.h"

namespace Vorlune::Test {
namespace {

// Each DIALOGEX template read field by field.
TEST(DialogResources, EveryControlWhereItBelongs) {
    constexpr DWORD tree = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS |
                           TVS_TRACKSELECT | WS_BORDER | WS_HSCROLL | WS_TABSTOP;
    constexpr DWORD push = BS_PUSHBUTTON, check = BS_AUTOCHECKBOX, group = BS_GROUPBOX, list = CBS_DROPDOWNLIST, key = WS_BORDER | WS_TABSTOP;
    struct Row { int dialog, id; const wchar_t* kind; DWORD style; short x, y, cx, cy; const wchar_t* text; } rows[] = {
        {IDD_SETTINGS, IDC_SETTINGS_LIST_LABEL, L"#130", 0, 9, 3, 87, 9, nullptr}, {IDD_SETTINGS, IDC_SETTINGS_TREE, L"SysTreeView32", tree, 8, 15, 92, 159, nullptr},
        {IDD_SETTINGS, IDC_SETTINGS_DEFAULTS, L"#128", push, 8, 183, 83, 19, nullptr}, {IDD_SETTINGS, IDC_SETTINGS_OK, L"#128", push, 193, 183, 50, 20, L"OK(&O)"},
        {IDD_SETTINGS, IDC_SETTINGS_CANCEL, L"#128", BS_DEFPUSHBUTTON, 250, 183, 50, 20, nullptr}, {IDD_PAGE_GENERAL, IDC_VERSION, L"#130", 0, 11, 9, 222, 13, nullptr},
        {IDD_PAGE_GENERAL, IDC_LEGAL_NOTICE, L"#130", 0, 11, 28, 222, 21, nullptr}, {IDD_PAGE_GENERAL, IDC_WEB_PAGE, L"#130", 0, 11, 56, 222, 11, nullptr},
        {IDD_PAGE_APP, IDC_KEEP_IN_FRONT, L"#128", check, 9, 7, 223, 14, nullptr}, {IDD_PAGE_APP, IDC_BUTTON_TOOLTIP, L"#128", check, 9, 24, 223, 14, nullptr},
        {IDD_PAGE_APP, IDC_IMAGE_FORMAT_GROUP, L"#128", group, 7, 42, 231, 30, nullptr}, {IDD_PAGE_APP, IDC_IMAGE_FORMAT, L"#133", list, 10, 54, 223, 40, nullptr},
        {IDD_PAGE_CAPTURE, IDC_VIEWER_GROUP, L"#128", group, 7, 5, 231, 30, nullptr}, {IDD_PAGE_CAPTURE, IDC_VIEWER, L"#129", ES_AUTOHSCROLL, 10, 18, 202, 12, nullptr},
        {IDD_PAGE_CAPTURE, IDC_VIEWER_BROWSE, L"#128", push, 214, 18, 18, 12, L"..."}, {IDD_PAGE_CAPTURE, IDC_SAVE_FOLDER_GROUP, L"#128", group, 7, 42, 231, 44, nullptr},
        {IDD_PAGE_CAPTURE, IDC_SAVE_FOLDER, L"#129", ES_AUTOHSCROLL, 10, 55, 202, 12, nullptr}, {IDD_PAGE_CAPTURE, IDC_SAVE_FOLDER_BROWSE, L"#128", push, 214, 55, 18, 12, L"..."},
        {IDD_PAGE_CAPTURE, IDC_DELETE_IMAGES, L"#128", check, 10, 72, 221, 10, nullptr}, {IDD_PAGE_CAPTURE, IDC_CLIPBOARD_GROUP, L"#128", group, 7, 93, 231, 28, nullptr},
        {IDD_PAGE_CAPTURE, IDC_CLIPBOARD, L"#133", list, 10, 104, 223, 115, nullptr}, {IDD_PAGE_CAPTURE, IDC_LINE_COLOUR_GROUP, L"#128", group, 7, 125, 231, 31, nullptr},
        {IDD_PAGE_CAPTURE, IDC_LINE_COLOUR, L"#133", list, 10, 137, 123, 250, nullptr}, {IDD_PAGE_RECTANGLE, IDC_LINE_WHILE_DRAGGING, L"#128", check, 11, 8, 214, 11, nullptr},
        {IDD_PAGE_RECTANGLE, IDC_ZOOM_LABEL, L"#130", 0, 11, 27, 113, 10, nullptr}, {IDD_PAGE_RECTANGLE, IDC_STATIC, L"#130", 0, 130, 27, 8, 10, L"\u00D7"},
        {IDD_PAGE_RECTANGLE, IDC_ZOOM, L"#133", list, 142, 25, 32, 92, nullptr}, {IDD_PAGE_WINDOW, IDC_WINDOW_MOUSE_TOOLTIP, L"#128", check, 9, 9, 224, 10, nullptr},
        {IDD_PAGE_HIDDEN_WINDOW, IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP, L"#128", check, 9, 9, 224, 10, nullptr}, {IDD_PAGE_DESKTOP, IDC_DELAY_GROUP, L"#128", group, 8, 7, 218, 31, nullptr},
        {IDD_PAGE_DESKTOP, IDC_DELAY_LABEL, L"#130", 0, 15, 22, 62, 11, nullptr}, {IDD_PAGE_DESKTOP, IDC_DELAY, L"#133", list | CBS_HASSTRINGS, 81, 21, 40, 126, nullptr},
        {IDD_PAGE_APP, IDC_HOTKEY_GROUP, L"#128", group, 7, 78, 231, 82, nullptr}, {IDD_PAGE_APP, IDC_HOTKEY_RECTANGLE_LABEL, L"#130", 0, 13, 92, 80, 10, nullptr},
        {IDD_PAGE_APP, IDC_HOTKEY_WINDOW_LABEL, L"#130", 0, 13, 109, 80, 10, nullptr}, {IDD_PAGE_APP, IDC_HOTKEY_HIDDEN_WINDOW_LABEL, L"#130", 0, 13, 126, 80, 10, nullptr},
        {IDD_PAGE_APP, IDC_HOTKEY_DESKTOP_LABEL, L"#130", 0, 13, 143, 80, 10, nullptr}, {IDD_PAGE_APP, IDC_HOTKEY_RECTANGLE, HOTKEY_CLASSW, key, 95, 90, 72, 12, nullptr},
        {IDD_PAGE_APP, IDC_HOTKEY_WINDOW, HOTKEY_CLASSW, key, 95, 107, 72, 12, nullptr}, {IDD_PAGE_APP, IDC_HOTKEY_HIDDEN_WINDOW, HOTKEY_CLASSW, key, 95, 124, 72, 12, nullptr},
        {IDD_PAGE_APP, IDC_HOTKEY_DESKTOP, HOTKEY_CLASSW, key, 95, 141, 72, 12, nullptr}, {IDD_PAGE_APP, IDC_HOTKEY_RECTANGLE_NOTE, L"#130", 0, 170, 87, 64, 16, L""},
        {IDD_PAGE_APP, IDC_HOTKEY_WINDOW_NOTE, L"#130", 0, 170, 104, 64, 16, L""}, {IDD_PAGE_APP, IDC_HOTKEY_HIDDEN_WINDOW_NOTE, L"#130", 0, 170, 121, 64, 16, L""},
        {IDD_PAGE_APP, IDC_HOTKEY_DESKTOP_NOTE, L"#130", 0, 170, 138, 64, 16, L""}};
    HMODULE exe = LoadLibraryExW(GlimraExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    size_t found = 0;
    for (int dialog : {IDD_SETTINGS, IDD_PAGE_GENERAL, IDD_PAGE_APP, IDD_PAGE_CAPTURE, IDD_PAGE_RECTANGLE, IDD_PAGE_WINDOW, IDD_PAGE_HIDDEN_WINDOW, IDD_PAGE_DESKTOP}) {
        auto at = static_cast<const BYTE*>(LockResource(LoadResource(exe, FindResourceW(exe, MAKEINTRESOURCEW(dialog), RT_DIALOG))));
        const auto take = [&](auto value) { return std::memcpy(&value, at, sizeof value), at += sizeof value, value; };
        const auto text = [&] {  // a name, or an ordinal as "#n"
            std::wstring name;
            for (WORD c; (c = take(WORD())) != 0; name += static_cast<wchar_t>(c))
                if (c == 0xFFFF) return L"#" + std::to_wstring(take(WORD()));
            return name;
        };
        at += 12;  // version and signature, help id, extended style
        const DWORD frame = take(DWORD());
        const WORD count = take(WORD());
        at += 4;  // x and y
        const short width = take(short()), height = take(short());
        text(), text(), text(), at += 6;  // menu, class, title; size, weight, italic, character set
        EXPECT_EQ(std::make_tuple(frame & ~WS_VISIBLE, width, height, text()),
                  dialog == IDD_SETTINGS ? std::make_tuple(DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
                                                  short(307), short(206), std::wstring(L"MS UI Gothic"))
                                : std::make_tuple(DWORD(WS_CHILD | DS_CONTROL | DS_SETFONT | DS_FIXEDSYS), short(247),
                                                  short(163), std::wstring(L"MS Shell Dlg"))) << dialog;
        for (WORD i = 0; i < count; ++i) {
            at = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR(3)) + 8;  // help id, ex style
            const DWORD style = take(DWORD());
            const short x = take(short()), y = take(short()), cx = take(short()), cy = take(short());
            const int id = int(take(DWORD()));
            const std::wstring kind = text(), caption = text();  // kind: "#128" for a predefined class
            take(WORD());  // no creation data
            SCOPED_TRACE(testing::Message() << dialog << " / " << id);
            const Row* row = std::find_if(std::begin(rows), std::end(rows), [&](const Row& r) { return r.dialog == dialog && r.id == id; });
            ASSERT_NE(row, std::end(rows));
            ++found;
            EXPECT_EQ(_wcsicmp(kind.c_str(), row->kind), 0) << Narrow(kind);  // class names ignore case
            EXPECT_EQ(style & row->style, row->style);
            EXPECT_EQ(std::make_tuple(x, y, cx, cy, row->text ? caption : L""),
                      std::make_tuple(row->x, row->y, row->cx, row->cy, std::wstring(row->text ? row->text : L"")));
            EXPECT_FALSE(id == IDC_LINE_COLOUR && (style & WS_VISIBLE));  // the colour list's placeholder
            EXPECT_FALSE(id == IDC_WEB_PAGE && (style & SS_NOTIFY));   // mouse messages reach the page
        }
    }
    FreeLibrary(exe);
    EXPECT_EQ(found, std::size(rows));
}

// A control of the dialog or of one of its pages; the ids differ across pages.
HWND Item(HWND dialog, int id) {
    for (HWND page = GetWindow(dialog, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT))
        if (HWND control = GetDlgItem(page, id)) return control;
    return GetDlgItem(dialog, id);
}
LRESULT Send(HWND dialog, int id, UINT message, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(Item(dialog, id), message, w, l); }
bool PageShown(HWND dialog, int id) { return IsWindowVisible(GetParent(Item(dialog, id))) != FALSE; }
std::wstring TextsOf(HWND dialog, std::initializer_list<int> ids) {  // each followed by "|"
    std::wstring texts;
    for (int id : ids) texts += WindowText(Item(dialog, id)) + L"|";
    return texts;
}
// The INI text without its byte-order mark; empty when there is no file.
std::wstring Ini() { return FileExists(IniPath()) ? ReadUtf16File(IniPath()) : L""; }
std::wstring Texts(const MessageBoxWatcher& boxes) {  // as "caption|text|" each
    std::wstring texts;
    for (const SeenBox& box : boxes.Seen()) texts += box.caption + L"|" + box.text + L"|";
    return texts;
}

struct Opening {
    std::wstring selected;  // the tree item shown selected
    bool finished = false;  // the completion callback ran
};

// Opens the dialog through window, runs steps on it from another thread, then sends command.
Opening Open(SettingsWindow& window, const std::function<void(HWND)>& steps, int command = IDC_SETTINGS_CANCEL, bool callback = true) {
    Opening seen;
    std::thread driver([&] {
        HWND dialog = nullptr;
        const std::wstring caption = App().title + L" - " + App().GetText(TextSettingsCaption);
        // Shown only once WM_INITDIALOG is over.
        WaitUntil([&] { return (dialog = FindWindowW(L"#32770", caption.c_str())) != nullptr && IsWindowVisible(dialog); });
        if (dialog == nullptr) return;
        HWND tree = GetDlgItem(dialog, IDC_SETTINGS_TREE);
        seen.selected = GetTreeItemText(tree, TreeView_GetSelection(tree));
        steps(dialog);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, command, 0);
    });
    window.Act(callback ? std::function<void()>([&] { seen.finished = true; }) : nullptr);
    driver.join();
    return seen;
}

// Each case starts without an INI file, in Japanese; other tests keep what they set in guards.
class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override { CreateDirectoryW(GetTempFolderPath().c_str(), nullptr), TearDown(); }
    void TearDown() override {
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileW(IniPath().c_str());
        App().Language = 0, works = true;
    }
    static inline bool works = true;  // else the browser throws
    SettingsWindow window{nullptr, {[](UINT, HWND, const std::wstring&, const std::wstring&, const std::wstring&) {
                                        if (!works) throw std::runtime_error("no shell");
                                        return std::wstring(L"C:\\picked");
                                    }, {}}};
};

// OK with an empty path shows its message, stores nothing and keeps the dialog open.
void EmptyFieldAndOk(HWND dialog, int field, const std::wstring& ini) {
    SetWindowTextW(Item(dialog, field), L"");
    SendMessageW(dialog, WM_COMMAND, IDC_SETTINGS_OK, 0);  // returns once the box is answered
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Ini(), ini);
}

// The first opening shows the defaults on the General page.
TEST_F(SettingsDialogTest, FirstOpeningShowsTheDefaults) {
    MessageBoxWatcher boxes;
    Open(window, [](HWND dialog) {
        EXPECT_TRUE(PageShown(dialog, IDC_VERSION));
        EXPECT_EQ(WindowText(dialog) + L"|" + TextsOf(dialog, {IDC_VIEWER, IDC_SAVE_FOLDER, IDC_ZOOM, IDC_DELAY, IDC_LEGAL_NOTICE}),
                  App().title + L" - 設定|mspaint|" + GetSaveFolder() + L"|10|3|" + App().GetText(TextLegalNotice) + L"|");
        EXPECT_EQ(TextsOf(dialog, {IDC_IMAGE_FORMAT_GROUP, IDC_IMAGE_FORMAT}), L"画像形式|BMP (24ビット、無圧縮)|");
        // The path limits: no more than the settings store reads back.
        EXPECT_EQ(std::make_tuple(Send(dialog, IDC_CLIPBOARD, CB_GETCURSEL), Send(dialog, IDC_BUTTON_TOOLTIP, BM_GETCHECK), Send(dialog, IDC_VIEWER, EM_GETLIMITTEXT),
                                  Send(dialog, IDC_SAVE_FOLDER, EM_GETLIMITTEXT)), std::make_tuple(LRESULT(0), LRESULT(BST_CHECKED), LRESULT(998), LRESULT(998)));
        EmptyFieldAndOk(dialog, IDC_SAVE_FOLDER, L"");
    });
    EXPECT_EQ(Texts(boxes), App().title + L"|切り取り画像の一時保存フォルダを指定して下さい|");
}

// Out-of-list values show the first entry (the colour its default); OK stores every control exactly.
TEST_F(SettingsDialogTest, OutOfRangeValuesShowTheFirstEntryAndOkStoresEveryControl) {
    App().Language = 1;
    const std::wstring stored = L"[Settings]\r\nZoomWindowMagnification=4\r\nDelaySeconds=4\r\nAuxiliaryLineColor=16\r\n"
                                L"MouseToolTip=2\r\nClipBoard=3\r\nImageFormat=2\r\nTreeViewSelectedItemString=Rectanglel\r\n";
    WriteUtf16File(IniPath(), stored);
    MessageBoxWatcher boxes;
    const Opening seen = Open(window, [&](HWND dialog) {
        HWND colours = FindWindowExW(GetParent(Item(dialog, IDC_VIEWER)), nullptr, L"ComboBoxEx32", nullptr);
        EXPECT_TRUE(PageShown(dialog, IDC_ZOOM));
        EXPECT_EQ(TextsOf(dialog, {IDC_ZOOM, IDC_DELAY, IDC_IMAGE_FORMAT_GROUP, IDC_IMAGE_FORMAT}), L"3|1|Image format|BMP (24-bit, uncompressed)|");
        EXPECT_EQ(std::make_tuple(Send(dialog, IDC_CLIPBOARD, CB_GETCURSEL), SendMessageW(colours, CB_GETCURSEL, 0, 0), Send(dialog, IDC_WINDOW_MOUSE_TOOLTIP, BM_GETCHECK)),
                  std::make_tuple(LRESULT(0), LRESULT(9), LRESULT(BST_UNCHECKED)));
        EmptyFieldAndOk(dialog, IDC_VIEWER, stored);
        for (int box : {IDC_KEEP_IN_FRONT, IDC_BUTTON_TOOLTIP, IDC_DELETE_IMAGES, IDC_LINE_WHILE_DRAGGING, IDC_WINDOW_MOUSE_TOOLTIP, IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP}) Send(dialog, box, BM_SETCHECK, box == IDC_BUTTON_TOOLTIP ? BST_UNCHECKED : BST_CHECKED);
        SetWindowTextW(Item(dialog, IDC_VIEWER), L"C:\\v.exe");
        Send(dialog, IDC_SAVE_FOLDER_BROWSE, BM_CLICK);  // the folder browser answers C:\picked
        for (auto [list, entry] : {std::pair{IDC_CLIPBOARD, 2}, {IDC_ZOOM, 1}, {IDC_DELAY, 5}, {IDC_IMAGE_FORMAT, 1}}) Send(dialog, list, CB_SETCURSEL, entry);
        EXPECT_EQ(TextsOf(dialog, {IDC_IMAGE_FORMAT}), L"PNG (lossless, compressed)|");
        SendMessageW(colours, CB_SETCURSEL, 12, 0);
        Send(dialog, IDC_HOTKEY_WINDOW, HKM_SETHOTKEY, 0x357);
    }, IDC_SETTINGS_OK);
    EXPECT_EQ(seen.selected, L"Rectanglel");
    EXPECT_EQ(Texts(boxes), App().title + L"|Specify a cropped image viewing application|");
    EXPECT_EQ(Ini(), L"[Settings]\r\nZoomWindowMagnification=6\r\nDelaySeconds=15\r\nAuxiliaryLineColor=12\r\nMouseToolTip=1\r\n"
                     L"ClipBoard=2\r\nImageFormat=1\r\nTreeViewSelectedItemString=Rectanglel\r\nAppTopMost=1\r\nButtonToolTip=0\r\n"
                     L"HotKeyRectangle=0\r\nHotKeyWindow=855\r\nHotKeyHiddenWindow=0\r\nHotKeyDesktop=0\r\nViewer=C:\\v.exe\r\n"
                     L"SaveFolder=C:\\picked\r\nDeleteImage=1\r\nAlwaysAuxiliaryLine=1\r\nMouseToolTipHidden=1\r\n");
}

// Only a reset that removed the file ends the dialog, and the toolbar is no longer topmost after it.
TEST_F(SettingsDialogTest, InitializationResetsOnlyWhenTheFileCanGo) {
    HWND owner = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 100, 100, 230, 89, nullptr, nullptr, nullptr, nullptr);
    SettingsWindow resetting(owner, {});
    struct Case { bool file, readOnly; int answer; bool closes; const wchar_t* failed; } cases[] = {
        {true, false, IDCANCEL, false, L""}, {false, false, IDOK, false, L""},
        {true, true, IDOK, false, L"|ini. file initialization failed|"}, {true, false, IDOK, true, L""}};
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
        EXPECT_EQ(Texts(boxes), App().title + L"|Do you want to reset the settings to the default values?|" + (*c.failed ? App().title + c.failed : L""));
        EXPECT_EQ(Ini().find(L"Viewer=x") != std::wstring::npos, c.file && !c.closes);
        EXPECT_EQ((GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, !c.closes);
    }
    DestroyWindow(owner);
}

// Two openers in turn each get their own callback, an empty one never; a page stored in English
// is not found in Japanese, so General is selected. Cancel and Escape store the page alone.
TEST_F(SettingsDialogTest, EveryOpeningRunsTheCallbackOfItsOpenerAndFindsThePageAgain) {
    auto second = std::make_unique<SettingsWindow>(nullptr, DialogServices{});
    for (int i = 0; i < 6; ++i) {
        App().Language = i < 4 ? 1 : 0;
        const Opening seen = Open(i % 2 ? *second : window, [](HWND dialog) {
            HWND tree = GetDlgItem(dialog, IDC_SETTINGS_TREE);
            TreeView_SelectItem(tree, TreeView_GetLastVisible(tree));
            EXPECT_TRUE(PageShown(dialog, IDC_DELAY));
        }, i % 2 ? IDCANCEL : IDC_SETTINGS_CANCEL);
        EXPECT_EQ(seen.selected, App().GetText(i == 0 || i == 4 ? TextGeneralPage : TextDesktopPage)) << i;
        EXPECT_TRUE(seen.finished) << i;
    }
    EXPECT_EQ(Ini(), L"[Settings]\r\nTreeViewSelectedItemString=デスクトップ\r\n");
    EXPECT_FALSE(Open(*second, [](HWND) {}, IDC_SETTINGS_CANCEL, false).finished);
    second.reset();  // the dialog outlives the window that opened it first
    EXPECT_TRUE(Open(window, [](HWND) {}).finished);
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

// A colour list that could not be made leaves the stored colour alone; an error inside is shown
// and ends the dialog; a dialog that could not be made still ends its opening.
TEST_F(SettingsDialogTest, FailuresKeepTheColourEndTheDialogAndStillRunTheCallback) {
    WriteUtf16File(IniPath(), L"[Settings]\r\nAuxiliaryLineColor=3\r\n");
    WithoutClass(L"ComboBoxEx32", [&] { Open(window, [](HWND) {}, IDC_SETTINGS_OK); });
    EXPECT_NE(Ini().find(L"AuxiliaryLineColor=3\r\n"), std::wstring::npos);
    works = false;
    MessageBoxWatcher boxes;
    EXPECT_TRUE(Open(window, [&](HWND dialog) {
        Send(dialog, IDC_VIEWER_BROWSE, BM_CLICK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3s));
    }).finished);
    EXPECT_EQ(Texts(boxes), App().title + L"|no shell|");
    bool finished = false;
    WithoutClass(L"SysTreeView32", [&] { window.Act([&] { finished = true; }); });
    EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace Vorlune::Test
