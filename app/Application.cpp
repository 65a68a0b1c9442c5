#include "app/Application.h"

#include <windowsx.h>

#include <exception>
#include <functional>
#include <utility>

#include "Capture/CaptureErrors.h"
#include "Capture/OverlayMaps.h"
#include "Capture/PickHandOff.h"
#include "app/AppContext.h"
#include "app/CommandDispatch.h"
#include "app/HandOver.h"
#include "app/HotKeys.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "draw/GdiObjectCache.h"
#include "draw/ToolTip.h"
#include "markup/MarkupWindow.h"
#include "pin/Pins.h"
#include "resources/resource.h"
#include "settings/ImageFolder.h"
#include "settings/ModulePath.h"
#include "settings/SettingsStore.h"
#include "settings/TempFolder.h"
#include "ui/Clipboard.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "ui/PendingException.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

void TouchProcessObjects() {
    TouchOverlayMessageMaps();
    TheMainWindow();
    IniPath();
    Store();
    App();
    Commands();
    TheToolTip();
    GdiCache();
    MainWindowMap();
}

namespace {
// The box of a start that cannot go on, in the stored language: the toolbar that would set it
// is not there. False, for Initialize to return.
bool StartFailed(const wchar_t* title, TextId text, DWORD reason) {
    const std::wstring message =
        App().texts[text][Store().GetToggle(TextLanguageToggle) == 1 ? 1 : 0] + L"\r\n\r\n" + SystemReason(reason);
    MessageBoxW(nullptr, message.c_str(), title, MB_ICONEXCLAMATION);
    return false;
}
}  // namespace

bool Initialize(HINSTANCE instance, int showCommand, const StartupCalls& calls) {
    wchar_t title[100] = {};
    wchar_t className[100] = {};
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 100);

    const HRESULT com = calls.initializeCom
                            ? calls.initializeCom()
                            : CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment already. COM does its work
    // there too: the imaging factory that encodes PNG is free-threaded, and the folder browser
    // fails there only in its new style, which the settings do not ask for.
    if (FAILED(com) && com != RPC_E_CHANGED_MODE)
        return StartFailed(title, TextComStartFailed, static_cast<DWORD>(com));
    DeclareDpiAwareness();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GLIMRA));
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GdiCache().GetBrush(MainWindow::kBackground).get();
    wc.lpszClassName = className;
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GLIMRA_SMALL));
    if ((calls.registerClass ? calls.registerClass() : RegisterClassExW(&wc)) == 0)
        return StartFailed(title, TextClassStartFailed, GetLastError());

    const POINT stored = {Store().GetInt(SectionApp, KeyPositionX), Store().GetInt(SectionApp, KeyPositionY)};
    const POINT position = ClampToVirtualScreen(stored, VirtualScreenRect());
    const int dpi = DpiAt(position);
    const SIZE size = MainWindow::SizeAt(dpi);

    HWND hwnd = calls.createToolbar
                    ? calls.createToolbar()
                    : CreateWindowExW(WS_EX_APPWINDOW, className, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                                      position.x, position.y, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return StartFailed(title, TextToolbarStartFailed, GetLastError());
    SetWindowDisplayAffinity(hwnd, WDA_EXCLUDEFROMCAPTURE);  // where Windows can: never in a frozen screen

    App().title = title;
    App().instance = instance;

    MainWindow& window = TheMainWindow();
    window.Attach(hwnd, position.x, position.y);
    window.BuildSurface(dpi);
    RegisterToolbarHandlers(MainWindowMap(), window);
    window.BuildContainers(icon, title, [](const Button& button, POINT releasedAt) { RunCommand(button, releasedAt); });
    RegisterStoredHotKeys(hwnd);
    SetPickHandOff([](CapturedImage image, const RECT& area, std::function<void()> done) {
        TheMarkupWindow().Open(image, area, std::move(done));
    });
    TheMarkupWindow().SetPin([](CapturedImage image, POINT topLeft) { ShowPin(std::move(image), topLeft); });

    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    const bool topmost = Store().GetInt(SectionSettings, KeyAppTopMost) == 1;
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    CreateDirectoryW(GetTempFolderPath().c_str(), nullptr);
    return true;
}

POINT WindowPositionToSave(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    if (!IsIconic(hwnd)) return {rect.left, rect.top};
    // A minimised window sits at -32000; remember where it will come back to.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(hwnd, &placement)) return {rect.left, rect.top};
    POINT position = {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
    // The restored rectangle is in work-area coordinates of its monitor.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        position.x += monitor.rcWork.left - monitor.rcMonitor.left;
        position.y += monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return position;
}

namespace {
void SavePosition(HWND hwnd) {
    const POINT position = WindowPositionToSave(hwnd);
    Store().SetInt(SectionApp, KeyPositionX, position.x);
    Store().SetInt(SectionApp, KeyPositionY, position.y);
}

void SaveStateOnClose(HWND hwnd) {
    SavePosition(hwnd);
    if (Store().GetInt(SectionSettings, KeyDeleteImage) == 1)
        ClearFolder(GetSaveFolder(), GetModuleBaseName() + L".ini");
}
}  // namespace

void RegisterToolbarHandlers(MessageMap& map, MainWindow& window) {
    HWND toolbar = window.Handle();
    // Painted from its back buffer alone.
    map.AddResultHandler(
        WM_ERASEBKGND, [](WPARAM, LPARAM) -> INT_PTR { return 1; }, WhileEnding::Runs);
    map.AddHandler(WM_SETFOCUS, &window, &MainWindow::OnSetFocus);
    map.AddHandler(WM_KILLFOCUS, &window, &MainWindow::OnKillFocus);
    map.AddHandler(WM_PAINT, &window, &MainWindow::OnPaint);
    map.AddHandler(WM_LBUTTONDOWN, [&window](WPARAM w, LPARAM l) {
        if (!ToolbarSecondClicks().DropsPress(MessageClick(window.Handle(), {GET_X_LPARAM(l), GET_Y_LPARAM(l)})))
            window.OnLButtonDown(w, l);
    });
    map.AddHandler(WM_LBUTTONUP, [&window](WPARAM w, LPARAM l) {
        if (!ToolbarSecondClicks().DropsRelease()) window.OnLButtonUp(w, l);
    });
    map.AddHandler(WM_MOUSEMOVE, &window, &MainWindow::OnMouseMove);
    map.AddHandler(WM_CAPTURECHANGED, &window, &MainWindow::OnCaptureLost);
    map.AddHandler(WM_CANCELMODE, &window, &MainWindow::OnCaptureLost);
    map.AddResultHandler(WM_DPICHANGED, &window, &MainWindow::OnDpiChanged);
    map.AddHandler(WM_MOVE, &window, &MainWindow::OnMoved);
    map.AddHandler(MainWindow::kMonitorDpiDue, &window, &MainWindow::OnMonitorDpiDue);
    map.AddHandler(WM_HOTKEY, [toolbar](WPARAM id, LPARAM keys) { RunPressedHotKey(id, keys, toolbar); });
    map.AddHandler(WM_TIMER, [toolbar](WPARAM id, LPARAM) {
        if (id == kHeldHotKeysTimer) PollHeldHotKeys(toolbar);
    });
    RegisterHandOverHandlers(map, toolbar);
    // The close and the end run also after an error: the state is saved, the loop ends.
    map.AddResultHandler(
        WM_CLOSE,
        [toolbar](WPARAM wParam, LPARAM lParam) {
            SaveStateOnClose(toolbar);
            return DefWindowProcW(toolbar, WM_CLOSE, wParam, lParam);  // destroys the window
        },
        WhileEnding::Runs);
    map.AddResultHandler(
        WM_DESTROY,
        [toolbar](WPARAM wParam, LPARAM lParam) {
            UnregisterHotKeys();  // while the window they belong to is still there
            // An image still waiting for the clipboard gets there, or its box says why not, first.
            AfterClipboardPuts([] { PostQuitMessage(0); });
            return DefWindowProcW(toolbar, WM_DESTROY, wParam, lParam);
        },
        WhileEnding::Runs);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return ServeWindowMessage(MainWindowMap(), hwnd, message, wParam, lParam);
}

int RunMessageLoop(const std::function<bool()>& initialize, HACCEL accelerators) {
    try {
        const bool ready = initialize();
        RethrowPendingException();
        if (!ready) return 1;
        return PumpMessages(accelerators, 1);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), App().GetTitleNarrow().c_str(), MB_ICONHAND);
        EndingReported();
        return 1;
    }
}

}  // namespace Vorlune
