// The real toolbar's hotkeys, typed through Wine's input and through the X server.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "Capture/CountdownWindow.h"
#include "Capture/ImageFileNamer.h"
#include "GlimraApp.h"
#include "resources/resource.h"
#include "ui/HotKeyRegistration.h"

namespace Vorlune::Test {
namespace {

// F5 to F8; images only to the clipboard. Keys typed through Wine's input carry no modifiers: as a
// window becomes active, Wine lets go of those the X server does not hold.
const std::wstring kFourKeys =
    L"[Settings]\r\nHotKeyRectangle=116\r\nHotKeyWindow=117\r\nHotKeyHiddenWindow=118\r\n"
    L"HotKeyDesktop=119\r\nClipBoard=2\r\n";

bool HaveXServer() { return GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES; }

// Print Screen alone, Ctrl+Shift+W, +H and +D through the X server, each after a key that names
// no command. Each starts only its own command; Escape ends it.
TEST(HotKeys, EachKeyStartsItsCommand) {
    if (!HaveXServer()) GTEST_SKIP() << "no X server";
    const wchar_t* keys[] = {L"ctrl+w Print", L"ctrl+shift+w", L"ctrl+shift+h", L"ctrl+shift+d"};
    const wchar_t* overlays[] = {L"RectangleCapture", L"WindowCaptureAll", L"HiddenWindowCaptureTop",
                                 L"DesktopCapture"};
    GlimraApp app;
    // Window capture as its toggle says; the desktop's overlay with the cursor.
    ASSERT_TRUE(
        app.Start(L"[Settings]\r\nHotKeyRectangle=44\r\nHotKeyWindow=855\r\nHotKeyHiddenWindow=840\r\n"
                  L"HotKeyDesktop=836\r\nClipBoard=2\r\n[Gui]\r\n6=1\r\n13=1\r\n"));
    for (size_t i = 0; i < std::size(keys); ++i) {
        SCOPED_TRACE(Narrow(keys[i]));
        // Into the toolbar without pauses: a release that comes after the hotkey hid it never reaches
        // Wine, which would keep the key held.
        ASSERT_TRUE(StartUnix(L"/usr/bin/xdotool search --name ^Glimra$ windowfocus --sync key --delay 0 " +
                              std::wstring(keys[i])));
        HWND overlay = app.WaitOverlay(overlays[i]);
        ASSERT_NE(overlay, nullptr);
        for (size_t later = i + 1; later < std::size(keys); ++later)
            EXPECT_EQ(app.Proc().FindWindowOf(overlays[later]), nullptr);
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(overlay) && IsWindowVisible(app.Window()); }) &&
                    Idle(app.Window()));
    }
}

// Typed through the X server into the editor, before F5 and after the capture it started.
TEST(HotKeys, AfterAHotKeyCaptureTheKeyboardIsBackWithTheProgramThatHadIt) {
    if (!HaveXServer()) GTEST_SKIP() << "no X server";
    GlimraApp app;
    ASSERT_TRUE(app.Start(kFourKeys));
    Process notepad(L"C:\\windows\\notepad.exe", ExeFolder());
    HWND editor = notepad.WaitWindow(L"Notepad");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor) != FALSE; }) && Idle(editor));
    ASSERT_TRUE(StartUnix(L"/usr/bin/xdotool search --name Notepad windowfocus --sync key --delay 0 a b F5"));
    ASSERT_NE(app.WaitOverlay(L"RectangleCapture"), nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Window()) && GetForegroundWindow() == editor; }) &&
                Idle(editor));
    ASSERT_TRUE(StartUnix(L"/usr/bin/xdotool key --delay 0 c d"));  // to the X focus, the editor's once it is idle
    EXPECT_TRUE(
        WaitUntil([&] { return GetWindowTextString(FindWindowExW(editor, nullptr, L"Edit", nullptr)) == L"abcd"; }));
}

// A countdown holds up the program's queue: the keys pressed meanwhile are read after it.
TEST(HotKeys, AKeyPressedDuringTheCountdownStartsNothing) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(kFourKeys + L"DelaySeconds=1\r\n[Gui]\r\n8=1\r\n"));
    PressKey(VK_F8);
    HWND countdown = app.Proc().WaitWindow(kCountdownClassName);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(countdown) != FALSE; }));
    PressKey(VK_F5);
    ASSERT_TRUE(app.ToolbarBack());
    PressKey(VK_F7);  // read after the key before
    ASSERT_NE(app.WaitOverlay(L"HiddenWindowCaptureTop"), nullptr);
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), nullptr);
}

// The scrolling capture has no button: its key opens the overlay that picks what to scroll.
TEST(HotKeys, TheScrollingKeyOpensItsOverlay) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(L"[Settings]\r\nHotKeyScrolling=120\r\nClipBoard=2\r\n"));
    PressKey(VK_F9);
    HWND overlay = app.WaitOverlay(L"ScrollingCapture");
    ASSERT_NE(overlay, nullptr);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.ToolbarBack());
}

// Without the cursor toggle the desktop is written at once, with no overlay.
TEST(HotKeys, AMinimisedToolbarStaysMinimisedThroughACapture) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(kFourKeys));
    RealClick({app.WindowRect().left + 187, app.WindowRect().top + 12});  // its minimise button
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    PressKey(VK_F8);
    const std::wstring image = app.TodaysFolder() + ImageFileName(1);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(image) && IsWindowVisible(app.Window()); }));
    EXPECT_TRUE(IsIconic(app.Window()));
}

// Ctrl+Shift+R, held by another program first; F6, the window's key, typed for the hidden window.
TEST(HotKeys, AKeyAnotherProgramHoldsIsReportedOnlyOnThePage) {
    const HotKeyRegistration held(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'R');  // this program is another
    ASSERT_TRUE(held.Held());
    GlimraApp app;
    ASSERT_TRUE(app.Start(
        L"[Settings]\r\nHotKeyRectangle=850\r\nHotKeyWindow=117\r\nTreeViewSelectedItemString=App. settings\r\n[Gui]\r\n9=1\r\n"));
    HWND dialog = app.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindowTextString(PageControl(dialog, IDC_HOTKEY_RECTANGLE_NOTE)) + L"|" +
                  GetWindowTextString(PageControl(dialog, IDC_HOTKEY_WINDOW_NOTE)),
              L"In use by another program|");
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(PageControl(dialog, IDC_HOTKEY_HIDDEN_WINDOW)), TRUE);
    PressKey(VK_F6);
    EXPECT_TRUE(WaitUntil([&] {
        return GetWindowTextString(PageControl(dialog, IDC_HOTKEY_HIDDEN_WINDOW_NOTE)) == L"In use by another command";
    }));
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(app.ToolbarBack());
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

// Typed into the rectangle's field on the page the dialog opens with.
TEST(HotKeys, AKeyChangedInTheSettingsReplacesTheOldOne) {
    GlimraApp app;
    ASSERT_TRUE(app.Start(kFourKeys + L"TreeViewSelectedItemString=アプリ設定\r\n"));
    HWND dialog = app.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    HWND field = PageControl(dialog, IDC_HOTKEY_RECTANGLE);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    PressKey(VK_F9);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(field, HKM_GETHOTKEY, 0, 0) == VK_F9; }));
    Press(dialog, IDOK);
    ASSERT_TRUE(app.ToolbarBack());
    EXPECT_EQ(IniValue(app.IniPath(), L"Settings", L"HotKeyRectangle"), L"120");
    EXPECT_TRUE(HotKeyRegistration(nullptr, 1, 0, VK_F5).Held()) << "the old key is free";
    PressKey(VK_F9);
    EXPECT_NE(app.WaitOverlay(L"RectangleCapture"), nullptr);
}

}  // namespace
}  // namespace Vorlune::Test
