// The real toolbar's commands, driven by clicks on its buttons.
#include <gtest/gtest.h>

#include "Capture/ImageFileNamer.h"
#include "Capture/WindowBounds.h"
#include "GlimraApp.h"
#include "Output.h"
#include "RegistryGuard.h"
#include "Screen.h"
#include "resources/resource.h"
#include "ui/Geometry.h"

namespace Vorlune::Test {
namespace {

// The real click on Cancel reaches the dialog only if the toolbar let go of the mouse before.
void OpenAndCancelTheDialog(GlimraApp& app, bool byMouse) {
    HWND dialog = app.OpenSettings(byMouse);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    const RECT cancel = WindowRect(GetDlgItem(dialog, IDC_SETTINGS_CANCEL));
    RealClick({(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2});
    ASSERT_TRUE(app.ToolbarBack());
}

// With the cursor toggle on, the desktop's overlay first, where a click picks; with the delay toggle
// too, at once, delayed by no seconds. The pattern is checked away from the cursor.
class DesktopButton : public testing::TestWithParam<bool> {};

TEST_P(DesktopButton, WritesTheWholeScreen) {
    const bool delayed = GetParam();
    PatternWindow pattern({600, 300, 1000, 600});
    ASSERT_TRUE(pattern.Shown());
    GlimraApp app;
    ASSERT_TRUE(app.Start(std::wstring(L"[Settings]\r\nClipBoard=2\r\nDelaySeconds=0\r\n[Gui]\r\n13=1\r\n8=") +
                          (delayed ? L"1" : L"0")));
    app.Click(3, true);
    if (!delayed) {
        ASSERT_NE(app.WaitOverlay(L"DesktopCapture"), nullptr);
        RealClick({800, 450});
    }
    const std::wstring file = app.TodaysFolder() + ImageFileName(1);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(file) && IsWindowVisible(app.Window()); }));
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(ShowsThePattern(DecodeImageFile(file), screen, {620, 320, 700, 380}));
    EXPECT_EQ(app.Close(), 0u);
}
INSTANTIATE_TEST_SUITE_P(Commands, DesktopButton, testing::Bool(),
                         [](const auto& delayed) { return delayed.param ? "Delayed" : "WithTheOverlay"; });

// With a double-click time long enough that the second click always falls within it: a key
// between the clicks makes them two.
TEST(Commands, AClickRightAfterEscapeEndedTheCaptureStartsANewOne) {
    const wchar_t speed[] = L"5000";
    RegistryGuard doubleClickTime(HKEY_CURRENT_USER, L"Control Panel\\Mouse", L"DoubleClickSpeed", REG_SZ, speed,
                                  sizeof speed);
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    app.Click(0, true);
    HWND overlay = app.WaitOverlay(L"RectangleCapture");
    ASSERT_NE(overlay, nullptr);
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(app.ToolbarBack());
    app.Click(0, true);
    overlay = app.WaitOverlay(L"RectangleCapture");
    ASSERT_NE(overlay, nullptr);
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(app.ToolbarBack());
    EXPECT_EQ(app.Close(), 0u);
}

TEST(Commands, TheCloseClearsTheImagesOnlyWhenDeleteImageIsOne) {
    for (const wchar_t* deleteImage : {L"0", L"1"}) {
        GlimraApp app;
        ASSERT_TRUE(app.Start(std::wstring(L"[Settings]\r\nDeleteImage=") + deleteImage + L"\r\n"));
        const std::wstring image = app.AppFolder() + L"20240102\\00001.bmp";
        CreateDirectoryW((app.AppFolder() + L"20240102").c_str(), nullptr);
        WriteBytes(image, {'B', 'M'});
        EXPECT_EQ(app.Close(), 0u);
        EXPECT_EQ(FileExists(image), deleteImage[0] == L'0') << Narrow(deleteImage);
    }
}

// Closed while the image of a capture waits for the clipboard, the program stays until the
// clipboard has answered.
TEST(Commands, ClosedWhileAnImageWaitsForTheClipboardItStaysToSaySo) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(kQuietIni, GlimraApp::BoxesAre::Expected));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Held());
    app.Click(3);  // the desktop at once: the cursor toggle is off
    ASSERT_TRUE(
        WaitUntil([&] { return FileExists(app.TodaysFolder() + ImageFileName(1)) && IsWindowVisible(app.Window()); }));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_EQ(app.Boxes().Texts(), L"Glimra|The image could not be put on the clipboard.|");
}

// The box, then the page that sets the folder, and no overlay: no pick is made that cannot be written.
void ExpectRefusedAtTheClick(GlimraApp& app, const std::wstring& text) {
    app.Click(0);
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    EXPECT_EQ(app.Boxes().Texts(), L"Glimra|" + text + L"|");
    HWND dialog = app.WaitDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(PageControl(dialog, IDC_SAVE_FOLDER))) << "the page with the folder is shown";
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), nullptr);
    Press(dialog, IDC_SETTINGS_CANCEL);
    EXPECT_TRUE(app.ToolbarBack());
}

// Made one level deep at the click, so a folder whose parent is missing stays missing.
TEST(Commands, AMissingImageFolderIsRefusedAtTheClick) {
    GlimraApp app;
    const std::wstring folder = app.AppFolder() + L"no\\such";
    ASSERT_TRUE(
        app.Start(L"[Settings]\r\nSaveFolder=" + folder + L"\r\n[Gui]\r\n9=1\r\n", GlimraApp::BoxesAre::Expected));
    ASSERT_NO_FATAL_FAILURE(ExpectRefusedAtTheClick(
        app,
        L"Folder for temporary saving images does not exist.\r\nSet the correct path in the settings dialog.\r\n\r\n" +
            folder));
    EXPECT_FALSE(IsFolder(folder));
}

// A file where today's folder belongs: the path exists, but no image could go there. Japanese by the file.
TEST(Commands, AFileInPlaceOfTodaysFolderIsRefusedAtTheClick) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(L"[Gui]\r\n9=0\r\n", GlimraApp::BoxesAre::Expected));
    WriteUtf16File(app.TodaysFolder().substr(0, app.TodaysFolder().size() - 1), L"");
    ExpectRefusedAtTheClick(
        app, L"切り取り画像の一時保存フォルダが存在しません。\r\n設定画面で正しいパスを設定して下さい。\r\n\r\n" +
                 app.AppFolder());
}

// 240 characters: today's folder would have 249, past the 247 a folder may have.
TEST(Commands, AFolderTooLongForItsImagesIsRefusedAtTheClick) {
    GlimraApp app;
    const std::wstring folder = app.AppFolder() + std::wstring(240 - app.AppFolder().size(), L'f');
    ASSERT_TRUE(
        app.Start(L"[Settings]\r\nSaveFolder=" + folder + L"\r\n[Gui]\r\n9=1\r\n", GlimraApp::BoxesAre::Expected));
    ExpectRefusedAtTheClick(app,
                            L"The path of the folder for temporary saving images is too long.\r\n"
                            L"Set a shorter path in the settings dialog.\r\n\r\n" +
                                folder);
}

TEST(Commands, OnlyAppTopMostOneKeepsTheToolbarInFront) {
    for (const wchar_t* stored : {L"0", L"1", L"2"}) {
        GlimraApp app;
        ASSERT_TRUE(app.Start(std::wstring(L"[Settings]\r\nAppTopMost=") + stored + L"\r\n"));
        EXPECT_EQ((GetWindowLongW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, stored[0] == L'1')
            << Narrow(stored);
    }
}

TEST(Commands, AFailingCommandBringsTheToolbarBackAfterItsBox) {
    GlimraApp app;
    bool shownDuringBox = true;
    ASSERT_TRUE(app.Start(L"[Settings]\r\nDelaySeconds=soon\r\n[Gui]\r\n8=1\r\n9=1\r\n", GlimraApp::BoxesAre::Expected,
                          [&](const SeenBox&) { shownDuringBox = IsWindowVisible(app.Window()) != FALSE; }));
    app.Click(3);
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    EXPECT_EQ(app.Boxes().Seen()[0].text, L"invalid stoi argument");
    EXPECT_FALSE(shownDuringBox);
    EXPECT_TRUE(app.ToolbarBack());
}

// Queued by the dialog's own loop, the second click would leave a second dialog up.
TEST(Commands, AClickQueuedBehindTheSettingsOpensNothing) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    app.Click(4);
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, false));
}

// A second capture would hold the dialog's click back behind its overlay.
TEST(Commands, AClickQueuedBehindACaptureStartsNothing) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    app.Click(0);
    app.Click(0);
    HWND overlay = app.WaitOverlay(L"RectangleCapture");
    ASSERT_NE(overlay, nullptr);
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(app.ToolbarBack());
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, false));
}

// A real full disk (a 1 MiB tmpfs that tools/test mounts as root): the program stays up, the
// image is on the clipboard although ClipBoard 1 keeps images off it, and no file is left.
TEST(Commands, AnImageTheDiskCannotHoldStaysOnTheClipboard) {
    const std::wstring disk = L"C:\\glimra-full-disk", day = disk + L"\\" + DayFolderName(LocalDateNow()) + L"\\";
    if (!IsFolder(disk)) GTEST_SKIP() << "no small disk: tools/test mounts one when run as root";
    SetClipboardText(nullptr, L"the user's text");
    GlimraApp app;
    ASSERT_TRUE(app.Start(L"[Settings]\r\nSaveFolder=" + disk + L"\r\nClipBoard=1\r\n[Gui]\r\n9=1\r\n13=1\r\n",
                          GlimraApp::BoxesAre::Expected));
    app.Click(3);
    ASSERT_NE(app.WaitOverlay(L"DesktopCapture"), nullptr);
    RealClick({500, 500});
    ASSERT_TRUE(app.Boxes().WaitForCount(1));
    EXPECT_EQ(app.Boxes().Seen()[0].text,
              L"The image file could not be written:\r\n" + day +
                  L"00001.bmp\r\n\r\nDisk full. (112)\r\n\r\nThe image is on the clipboard.");
    EXPECT_TRUE(app.ToolbarBack());
    EXPECT_FALSE(FileExists(day + L"00001.bmp"));
    EXPECT_FALSE(FileExists(day + L"00001.tmp"));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(app.Close(), 0u);
}

// Activated, another program's window would repaint as active into the frozen screen, and under
// X could raise itself over the overlay while it handled that late.
TEST(Commands, ACaptureActivatesNoOtherProgramsWindow) {
    static int activations = 0;
    const OwnedWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 700, 700, 100, 100, nullptr,
                                            nullptr, nullptr, nullptr));
    SetWindowLongPtrW(other.get(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          if (m == WM_ACTIVATE && LOWORD(w) != WA_INACTIVE) ++activations;
                          return DefWindowProcW(h, m, w, l);
                      }));
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    SetWindowPos(other.get(), app.Window(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // next in line
    SetForegroundWindow(app.Window());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.Window(); }));
    app.Click(0);
    HWND overlay = app.WaitOverlay(L"RectangleCapture");
    ASSERT_NE(overlay, nullptr);
    PostMessageW(overlay, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(app.ToolbarBack());
    EXPECT_EQ(activations, 0);
}

// Moved first, as the system menu's Move would: the drag starts from where the window is.
TEST(Commands, TheTitleBarDragsFromWhereTheWindowIs) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    SetWindowPos(app.Window(), nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Input(MOUSEEVENTF_LEFTDOWN, {560, 412});
    Input(0, {575, 405});
    Input(MOUSEEVENTF_LEFTUP, {575, 405});
    Input(0, {620, 452});  // the drag has ended: the window stays
    // Input is served in order: once the dialog has come and gone, the moves were handled.
    ASSERT_NO_FATAL_FAILURE(OpenAndCancelTheDialog(app, true));
    EXPECT_EQ(app.WindowRect().left, 515);
    EXPECT_EQ(app.WindowRect().top, 393);
}

// Under the click on the system button, from the toolbar's left edge.
TEST(Commands, TheSystemMenuOpensAtTheToolbarsLeftEdge) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    RealClick({110, 112});
    HWND menu = app.Proc().WaitWindow(L"#32768");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(menu) != FALSE; }));
    EXPECT_EQ(WindowRect(menu).left, 100);
    RealClick({1500, 900});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
}

// The place is written at the close, not before, and while minimised it is the restored one.
TEST(Commands, ClosedWhileMinimisedItStoresThePlaceItIsRestoredTo) {
    GlimraApp app;
    ASSERT_TRUE(app.Start());
    SetWindowPos(app.Window(), nullptr, 515, 393, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RealClick({515 + 187, 393 + 12});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    ASSERT_FALSE(FileExists(app.IniPath()));
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_EQ(IniValue(app.IniPath(), L"App", L"PositionX"), L"515");
    EXPECT_EQ(IniValue(app.IniPath(), L"App", L"PositionY"), L"393");
}

bool Holds(const RECT& outer, const RECT& inner) { return ToCore(Intersect(outer, inner)) == ToCore(inner); }

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
        return (GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
               Holds(WindowRect(box), WindowRect(inner));
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
    for (const DWORD dpi : {144, 96})
        for (const wchar_t* face : {L"VL PGothic", static_cast<const wchar_t*>(nullptr)})
            for (const int language : {0, 1}) {
                SCOPED_TRACE(testing::Message()
                             << dpi << " DPI, face " << (face ? "mapped" : "unmapped") << ", language " << language);
                LogPixelsGuard scale(dpi);
                RegistryGuard mapping(
                    HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                    L"MS Shell Dlg", face ? REG_SZ : REG_NONE, face, face ? DWORD(wcslen(face) + 1) * 2 : 0);
                GlimraApp app;
                app.dpi = int(dpi);
                ASSERT_TRUE(app.Start(L"[Gui]\r\n9=" + std::to_wstring(language) + L"\r\n"));
                HWND dialog = app.OpenSettings();
                ASSERT_NE(dialog, nullptr);
                // Cancel is 20 units of a 9-point face high, and a line of that face at least 9 points.
                const RECT cancel = WindowRect(GetDlgItem(dialog, IDC_SETTINGS_CANCEL));
                ASSERT_GE(cancel.bottom - cancel.top, MulDiv(20 * 9, int(dpi), 8 * 72)) << "the scale";
                int pages = 0;
                for (HWND page = nullptr; (page = FindWindowExW(dialog, page, L"#32770", nullptr)) != nullptr; ++pages)
                    ExpectWhole(dialog, page);
                EXPECT_EQ(pages, 7);
            }
}

}  // namespace
}  // namespace Vorlune::Test
