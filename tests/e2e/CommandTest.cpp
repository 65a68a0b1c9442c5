// The real toolbar's commands, driven by clicks on its buttons.
#include <gtest/gtest.h>

#include "CaptureProbe.h"
#include "GlimraApp.h"
#include "ImageFiles.h"
#include "PatternWindow.h"
#include "Capture/ImageFileNamer.h"
#include "Capture/WindowBounds.h"
#include "resources/resource.h"
#include "ui/Geometry.h"

namespace Vorlune::Test {
namespace {

constexpr int kFolderEdit = IDC_SAVE_FOLDER, kCancel = IDC_SETTINGS_CANCEL, kTopMost = IDC_KEEP_IN_FRONT, kOk = IDC_SETTINGS_OK;

std::wstring TodaysFolder(GlimraApp& app) { return app.AppFolder() + DayFolderName(LocalDateNow()) + L"\\"; }

// The real click on Cancel reaches the dialog only if the toolbar let go of the mouse before.
void OpenAndCancelTheDialog(GlimraApp& app, bool byMouse) {
    HWND dialog = app.OpenSettings(byMouse);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    const RECT cancel = WindowRect(GetDlgItem(dialog, kCancel));
    RealClick({(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2});
    ASSERT_TRUE(app.ToolbarBack());
}

TEST(Commands, EveryCommandButtonWritesWhatTheUserPicked) {
    const RECT picture = {600, 300, 1000, 600};
    PatternWindow pattern(picture);
    ASSERT_TRUE(pattern.Shown());
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT dragged = {650, 350, 751, 421};
    struct Journey { int button; bool toggle; const wchar_t* overlay; };
    const Journey journeys[] = {
        {0, false, L"RectangleCapture"}, {0, true, L"RectangleCaptureWithMagnifier"},
        {1, false, L"WindowCaptureTop"}, {1, true, L"WindowCaptureAll"},
        {2, false, L"HiddenWindowCaptureTop"}, {2, true, L"HiddenWindowCaptureAll"},
        {3, false, L"DesktopCapture"},  // only with the cursor toggle on
        {3, true, nullptr},             // delayed by no seconds
        {0, false, L"RectangleCapture"},  // the same mode again
    };
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nClipBoard=2\r\nDelaySeconds=0\r\nDeleteImage=1\r\n");
    ASSERT_TRUE(app.Start());
    HWND first = nullptr;
    int number = 0;
    for (const Journey& j : journeys) {
        SCOPED_TRACE(testing::Message() << "button " << j.button << ", toggle " << j.toggle);
        const RECT picked = j.button == 0 ? dragged : j.button == 3 ? screen : picture;
        WritePrivateProfileStringW(L"Gui", std::to_wstring(5 + j.button).c_str(), j.toggle ? L"1" : L"0", app.IniPath().c_str());
        WritePrivateProfileStringW(L"Gui", L"13", j.button == 3 ? L"1" : L"0", app.IniPath().c_str());
        app.Click(j.button, true);
        if (j.overlay != nullptr) {
            HWND overlay = app.Proc().WaitWindow(j.overlay);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) && !IsWindowVisible(app.Window()); }));
            if (first == nullptr) first = overlay;
            if (j.button == 0) {
                Input(MOUSEEVENTF_LEFTDOWN, {dragged.left, dragged.top});
                Input(0, {700, 400});
                Input(MOUSEEVENTF_LEFTUP, {dragged.right - 1, dragged.bottom - 1});
            } else {
                // A release picks what the last move the overlay saw picked: wait for its frame.
                ASSERT_TRUE(j.button == 3 || WaitUntil([&, n = 0]() mutable {
                    Input(0, {800 + n++ % 2, 450});
                    return ScreenPixel(picture.left, picture.top) == RGB(255, 0, 0);
                }));
                RealClick({800, 450});
            }
        }
        const std::wstring file = TodaysFolder(app) + ImageFileName(++number);
        ASSERT_TRUE(WaitUntil([&] { return FileExists(file) && IsWindowVisible(app.Window()); }));
        const DecodedImage image = DecodeImageFile(file);
        ASSERT_EQ(std::make_pair(LONG(image.width), LONG(image.height)), std::make_pair(picked.right - picked.left, picked.bottom - picked.top));
        // The picked part shows the pattern; the desktop's is checked away from the cursor.
        const RECT check = j.button == 3 ? RECT{620, 320, 700, 380} : picked;
        for (LONG y = check.top; y < check.bottom; ++y)
            for (LONG x = check.left; x < check.right; ++x)
                ASSERT_EQ(image.Pixel(x - picked.left, y - picked.top), ScreenPattern(x, y)) << x << "," << y;
    }
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), first) << "a second click reuses the mode";
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, false));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_TRUE(app.Boxes().Seen().empty());
    EXPECT_FALSE(FileExists(TodaysFolder(app) + ImageFileName(1))) << "DeleteImage=1 clears on close";
}

// A stored place off the screen comes back to its middle (1080 is the bottom edge), only
// AppTopMost=1 keeps the toolbar in front, and the file's other settings survive the close.
TEST(Commands, AMissingImageFolderIsReportedInTheFilesLanguage) {
    struct Language { const wchar_t *toggle, *ini; LONG x, y; bool inFront; std::wstring text; };
    const Language languages[] = {
        {L"0", L"PositionX=-5000\r\nPositionY=1080\r\n[Settings]\r\nAppTopMost=2", 960, 540, false,
         L"切り取り画像の一時保存フォルダが存在しません。\r\n設定画面で正しいパスを設定して下さい。"},
        {L"1", L"PositionX=300\r\nPositionY=-0\r\n[Settings]\r\nAppTopMost=1", 300, 0, true,
         L"Folder for temporary saving images does not exist.\r\nSet the correct path in the settings dialog."}};
    for (const Language& language : languages) {
        GlimraApp app;
        const std::wstring folder = app.AppFolder() + L"no\\such";
        app.WriteIni(std::wstring(L"[App]\r\n") + language.ini + L"\r\nSaveFolder=" + folder +
                     L"\r\nViewer=C:\\ツール\\表示.exe\r\n[Gui]\r\n9=" + language.toggle + L"\r\n");
        ASSERT_TRUE(app.Start(GlimraApp::BoxesAre::Expected));
        EXPECT_EQ(std::make_pair(app.WindowRect().left, app.WindowRect().top), std::make_pair(language.x, language.y));
        EXPECT_EQ((GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, language.inFront);
        ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, false));  // the settings need no folder
        app.Click(0);
        ASSERT_TRUE(app.Boxes().WaitForCount(1));
        EXPECT_EQ(app.Boxes().Seen()[0].caption, L"Glimra");
        EXPECT_EQ(app.Boxes().Seen()[0].text, language.text + L"\r\n\r\n" + folder);
        HWND dialog = app.WaitDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(IsWindowVisible(PageControl(dialog, kFolderEdit))) << "the page with the folder is shown";
        Press(dialog, kCancel);
        EXPECT_TRUE(app.ToolbarBack());
        EXPECT_FALSE(FolderExists(folder));
        EXPECT_EQ(app.Close(), 0u);
        EXPECT_EQ(IniValue(app.ReadIni(), L"Settings", L"Viewer"), L"C:\\ツール\\表示.exe");
    }
}

// A command that throws shows its box before the toolbar comes back; clicks queued behind a running
// command (by the dialog's loop or while an overlay is up) start nothing; a failed write ends the program.
TEST(Commands, AFailingCommandBringsTheToolbarBackAfterItsBox) {
    GlimraApp app;
    app.WriteIni(L"[Settings]\r\nDelaySeconds=soon\r\nClipBoard=2\r\n[Gui]\r\n8=1\r\n9=1\r\n");
    bool shownDuringBox = true;
    ASSERT_TRUE(app.Start(GlimraApp::BoxesAre::Expected, [&](const SeenBox&) { shownDuringBox = IsWindowVisible(app.Window()) != FALSE; }));
    app.Click(3);
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    EXPECT_EQ(app.Boxes().Seen()[0].text, L"invalid stoi argument");
    EXPECT_FALSE(shownDuringBox);
    EXPECT_TRUE(app.ToolbarBack());

    app.Click(4);
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, false));  // a second dialog would stay
    app.Click(0);
    app.Click(0);
    HWND overlay = app.Proc().WaitWindow(L"RectangleCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) != FALSE; }));
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Window()) && !IsWindowVisible(overlay); }));

    RemoveDirectoryW(TodaysFolder(app).c_str());  // a file where today's folder belongs
    WriteUtf16File(TodaysFolder(app).substr(0, TodaysFolder(app).size() - 1), L"");
    app.Click(0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) != FALSE; }));
    RealClick({500, 500});
    ASSERT_TRUE(app.Boxes().WaitForCount(2));
    const std::wstring text = app.Boxes().Seen()[1].text;
    EXPECT_EQ(text.rfind(L"Error\r\nBitmap creation failed\r\n\r\nFile=", 0), 0u) << Narrow(text);
    EXPECT_NE(text.find(L"Desktop.cpp\r\nLine="), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"\r\nGetLastError()=3\r\n"), std::wstring::npos) << Narrow(text);
    EXPECT_EQ(app.Proc().WaitExit(), 1u);
}

// Activated, another program's window would repaint as active into the frozen screen, and under
// X could raise itself over the overlay while it handled that late.
TEST(Commands, ACaptureActivatesNoOtherProgramsWindow) {
    static int activations = 0;
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 700, 700, 100, 100, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_ACTIVATE && LOWORD(w) != WA_INACTIVE) ++activations;
        return DefWindowProcW(h, m, w, l);
    }));
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    SetWindowPos(other, app.Window(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // next in line
    SetForegroundWindow(app.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window(); }));
    app.Click(0);
    HWND overlay = app.Proc().WaitWindow(L"RectangleCapture");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(overlay) != FALSE; }));
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(app.ToolbarBack());
    DestroyWindow(other);
    EXPECT_EQ(activations, 0);
}

// A fresh profile starts at (100, 100), behind others, and writes nothing before the close.
// Moved first, as the system menu's Move would: the drag starts from where the window is.
TEST(Commands, TheTitleBarDragsFromWhereTheWindowIs) {
    GlimraApp app;
    const std::wstring image = app.AppFolder() + L"20240102\\00001.bmp";  // kept: DeleteImage is 0
    CreateDirectoryW(app.AppFolder().c_str(), nullptr);
    CreateDirectoryW((app.AppFolder() + L"20240102").c_str(), nullptr);
    WriteBytes(image, {'B', 'M'});
    ASSERT_TRUE(app.Start());
    const RECT rect = app.WindowRect();
    EXPECT_EQ(std::make_tuple(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
              std::make_tuple(100L, 100L, 230L, 89L));
    EXPECT_FALSE(FileExists(app.IniPath())) << "nothing is written before the close";
    SetWindowPos(app.Window(), nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Input(MOUSEEVENTF_LEFTDOWN, {560, 412});
    Input(0, {575, 405});
    Input(MOUSEEVENTF_LEFTUP, {575, 405});
    Input(0, {620, 452});  // the drag has ended: the window stays
    // Input is served in order: once the dialog has come and gone, the moves were handled.
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, true));
    EXPECT_EQ(std::make_pair(app.WindowRect().left, app.WindowRect().top), std::make_pair(515L, 393L));
    EXPECT_FALSE(GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    for (const auto& [check, value] : {std::pair{BST_CHECKED, L"1"}, std::pair{BST_UNCHECKED, L"0"}}) {
        HWND dialog = app.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        SendMessageW(PageControl(dialog, kTopMost), BM_SETCHECK, check, 0);
        Press(dialog, kOk);
        ASSERT_TRUE(app.ToolbarBack());
        EXPECT_EQ((GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, check == BST_CHECKED);
        EXPECT_EQ(IniValue(app.ReadIni(), L"Settings", L"AppTopMost"), value);
    }
    // The frame's corners in the focus colour.
    const struct { UINT message; COLORREF colour; } looks[] = {{WM_KILLFOCUS, RGB(0xA5, 0xA5, 0xA5)}, {WM_SETFOCUS, RGB(0x18, 0x83, 0xD7)}};
    for (const auto& look : looks) {
        PostMessageW(app.Window(), look.message, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(515, 393) == look.colour && ScreenPixel(515 + 229, 393 + 88) == look.colour; }))
            << look.message;
    }

    // The system menu opens at the left edge under the click; a click elsewhere closes it.
    RealClick({525, 405});
    HWND menu = app.Proc().WaitWindow(L"#32768");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }));
    EXPECT_EQ(WindowRect(menu).left, 515);
    RealClick({1500, 900});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));

    // Closed while minimised, it saves the place it is restored to.
    RealClick({515 + 187, 393 + 12});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_EQ(IniValue(app.ReadIni(), L"App", L"PositionX"), L"515");
    EXPECT_EQ(IniValue(app.ReadIni(), L"App", L"PositionY"), L"393");
    EXPECT_TRUE(FileExists(image));
}

// Sets a registry value, or removes it for REG_NONE, for the programs started while it lives.
class RegistryGuard {
public:
    RegistryGuard(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data, DWORD size)
        : root_(root), path_(path), name_(name) {
        if (RegGetValueW(root, path, name, RRF_RT_ANY, &oldType_, old_, &oldSize_) != ERROR_SUCCESS) oldType_ = REG_NONE;
        Put(type, data, size);
    }
    ~RegistryGuard() { Put(oldType_, old_, oldSize_); }
    RegistryGuard(const RegistryGuard&) = delete;
    RegistryGuard& operator=(const RegistryGuard&) = delete;

private:
    void Put(DWORD type, const void* data, DWORD size) const {
        if (type == REG_NONE) RegDeleteKeyValueW(root_, path_, name_);
        else RegSetKeyValueW(root_, path_, name_, type, data, size);
    }
    HKEY root_;
    const wchar_t *path_, *name_;
    DWORD oldType_ = REG_NONE, oldSize_ = sizeof old_;
    BYTE old_[512] = {};
};

bool Holds(const RECT& outer, const RECT& inner) {
    const RECT both = Intersect(outer, inner);
    return EqualRect(&both, &inner) != FALSE;
}

// Each shown control of the page lies on the page, the page in the dialog's client area, and
// no control overlaps another but a group box round it.
void ExpectWhole(HWND dialog, HWND page) {
    RECT client = {};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(Holds(client, WindowRect(page)));
    std::vector<HWND> controls;
    for (HWND control = GetWindow(page, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT))
        if (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) controls.push_back(control);
    const auto frames = [](HWND box, HWND inner) {
        return (GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && Holds(WindowRect(box), WindowRect(inner));
    };
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(Holds(WindowRect(page), WindowRect(controls[i]))) << GetDlgCtrlID(controls[i]);
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_TRUE(!HasArea(Intersect(WindowRect(controls[i]), WindowRect(controls[j]))) ||
                        frames(controls[i], controls[j]) || frames(controls[j], controls[i]))
                << GetDlgCtrlID(controls[i]) << " and " << GetDlgCtrlID(controls[j]);
    }
}

// At 150 % and then 100 % (Wine keeps its font cache for the last), with the prefix's face for
// "MS Shell Dlg" and with that mapping removed (no face); Wine reads both as a program starts.
TEST(Commands, EverySettingsControlFitsOnItsPage) {
    struct Case { DWORD dpi; const wchar_t* face; int language; };
    const Case cases[] = {{144, L"VL PGothic", 0}, {144, L"VL PGothic", 1}, {144, nullptr, 0}, {144, nullptr, 1},
                          {96, L"VL PGothic", 0}, {96, L"VL PGothic", 1}, {96, nullptr, 0}, {96, nullptr, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI, face " << (c.face ? "mapped" : "unmapped") << ", language " << c.language);
        RegistryGuard scale(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &c.dpi, sizeof c.dpi);
        RegistryGuard face(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                           L"MS Shell Dlg", c.face ? REG_SZ : REG_NONE, c.face, c.face ? DWORD(wcslen(c.face) + 1) * 2 : 0);
        GlimraApp app;
        app.WriteIni(L"[Gui]\r\n9=" + std::to_wstring(c.language) + L"\r\n");
        ASSERT_TRUE(app.Start());
        app.Click(4);
        HWND dialog = app.WaitDialog();
        ASSERT_NE(dialog, nullptr);
        // Cancel is 20 units of a 9-point face high, and a line of that face at least 9 points.
        const RECT cancel = WindowRect(GetDlgItem(dialog, kCancel));
        ASSERT_GE(cancel.bottom - cancel.top, MulDiv(20 * 9, int(c.dpi), 8 * 72)) << "the scale";
        int pages = 0;
        for (HWND page = nullptr; (page = FindWindowExW(dialog, page, L"#32770", nullptr)) != nullptr; ++pages)
            ExpectWhole(dialog, page);
        EXPECT_EQ(pages, 7);
    }
}

}  // namespace
}  // namespace Vorlune::Test
