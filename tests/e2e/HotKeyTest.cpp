// The real toolbar's hotkeys, typed through Wine's input and through the X server.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "GlimraApp.h"
#include "Capture/CountdownWindow.h"
#include "Capture/ImageFileNamer.h"

namespace Vorlune::Test {
namespace {

constexpr int kRectangleField = 1037, kHiddenField = 1039, kRectangleNote = 1041, kWindowNote = 1042, kHiddenNote = 1043;

// Ctrl+Shift with R, W, H and D, as a hotkey control gives them; images only to the clipboard.
const std::wstring kFourKeys = L"[Settings]\r\nHotKeyRectangle=850\r\nHotKeyWindow=855\r\nHotKeyHiddenWindow=840\r\n"
                               L"HotKeyDesktop=836\r\nClipBoard=2\r\n";

// Up to take keys: the toolbar gone, the overlay in front and its program back in its loop.
bool OverlayUp(GlimraApp& app, HWND overlay) {
    return WaitUntil([&] { return IsWindowVisible(overlay) && !IsWindowVisible(app.Window()) && GetForegroundWindow() == overlay; }) &&
           SendMessageTimeoutW(overlay, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr) != 0;
}

// Each key starts only its own command; Escape ends it and brings the toolbar back.
void EachKeyStartsItsOverlay(void (*type)(const std::wstring&)) {
    struct Step { const wchar_t *keys, *overlay; } steps[] = {
        {L"ctrl+w ctrl+shift+r", L"RectangleCapture"},  // Ctrl+W first: no setting names it
        {L"ctrl+shift+w", L"WindowCaptureAll"},         // as its button, with the toggle on
        {L"ctrl+shift+h", L"HiddenWindowCaptureTop"},
        {L"ctrl+shift+d", L"DesktopCapture"}};
    GlimraApp app;
    app.WriteIni(kFourKeys + L"[Gui]\r\n6=1\r\n13=1\r\n");  // the desktop's overlay comes with the cursor
    ASSERT_TRUE(app.Start());
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(Narrow(steps[i].keys));
        type(steps[i].keys);
        HWND overlay = app.Proc().WaitWindow(steps[i].overlay);
        ASSERT_TRUE(OverlayUp(app, overlay));
        for (size_t later = i + 1; later < std::size(steps); ++later) EXPECT_EQ(app.Proc().FindWindowOf(steps[later].overlay), nullptr);
        type(L"Escape");
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(overlay) && IsWindowVisible(app.Window()); }));
    }
}

TEST(HotKeys, EachKeyStartsItsCommand) { EachKeyStartsItsOverlay(PressKeys); }

TEST(HotKeys, EachKeyTypedThroughTheXServerStartsItsCommand) {
    if (GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no X server";
    EachKeyStartsItsOverlay(XKeys);
}

// A countdown holds up the program's queue: the keys pressed meanwhile are read after it.
TEST(HotKeys, AKeyPressedDuringTheCountdownStartsNothing) {
    GlimraApp app;
    app.WriteIni(kFourKeys + L"DelaySeconds=1\r\n[Gui]\r\n8=1\r\n");
    ASSERT_TRUE(app.Start());
    PressKeys(L"ctrl+shift+d");
    HWND countdown = app.Proc().WaitWindow(kCountdownClassName);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(countdown) != FALSE; }));
    PressKeys(L"ctrl+shift+r");
    ASSERT_TRUE(app.ToolbarBack());
    PressKeys(L"ctrl+shift+h");  // read after the key before
    ASSERT_TRUE(OverlayUp(app, app.Proc().WaitWindow(L"HiddenWindowCaptureTop")));
    EXPECT_EQ(app.Proc().FindWindowOf(L"RectangleCapture"), nullptr);
}

// Without the cursor toggle the desktop is written at once, with no overlay.
TEST(HotKeys, AMinimisedToolbarCapturesAndStaysMinimised) {
    GlimraApp app;
    app.WriteIni(kFourKeys);
    ASSERT_TRUE(app.Start());
    RealClick({app.WindowRect().left + 187, app.WindowRect().top + 12});  // its minimise button
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
    PressKeys(L"ctrl+shift+d");
    const std::wstring image = app.AppFolder() + DayFolderName(LocalDateNow()) + L"\\" + ImageFileName(1);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(image) && IsWindowVisible(app.Window()); }));
    EXPECT_TRUE(IsIconic(app.Window()));
}

// Ctrl+Shift+R, held by another program first; Ctrl+Shift+W, the window's, typed for the hidden window.
TEST(HotKeys, AKeyAnotherProgramHoldsLeavesTheStartQuietAndThePageSaysSo) {
    Process holder(ExeFolder() + L"hotkey_holder.exe", ExeFolder());
    ASSERT_NE(holder.WaitWindow(L"Static"), nullptr);
    GlimraApp app;
    app.WriteIni(kFourKeys + L"TreeViewSelectedItemString=App. settings\r\n[Gui]\r\n9=1\r\n");
    ASSERT_TRUE(app.Start());
    HWND dialog = app.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(PageControl(dialog, kRectangleNote)) + L"|" + WindowText(PageControl(dialog, kWindowNote)),
              L"In use by another program|");
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(PageControl(dialog, kHiddenField)), TRUE);
    PressKeys(L"ctrl+shift+w");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(PageControl(dialog, kHiddenNote)) == L"In use by another command"; }));
    Press(dialog, IDCANCEL);
    EXPECT_TRUE(app.ToolbarBack());
    EXPECT_TRUE(app.Boxes().Seen().empty());
}

// Typed into the rectangle's field on the page the dialog opens with.
TEST(HotKeys, AKeyChangedInTheSettingsReplacesTheOldOne) {
    GlimraApp app;
    app.WriteIni(kFourKeys + L"TreeViewSelectedItemString=アプリ設定\r\n");
    ASSERT_TRUE(app.Start());
    HWND dialog = app.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    HWND field = PageControl(dialog, kRectangleField);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    PressKeys(L"ctrl+shift+t");
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(field, HKM_GETHOTKEY, 0, 0) == 0x354; }));
    Press(dialog, IDOK);
    ASSERT_TRUE(app.ToolbarBack());
    EXPECT_EQ(IniValue(app.ReadIni(), L"Settings", L"HotKeyRectangle"), L"852");
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'R')) << "the old key is free";
    UnregisterHotKey(nullptr, 1);
    PressKeys(L"ctrl+shift+t");
    EXPECT_TRUE(OverlayUp(app, app.Proc().WaitWindow(L"RectangleCapture")));
}

}  // namespace
}  // namespace Vorlune::Test
