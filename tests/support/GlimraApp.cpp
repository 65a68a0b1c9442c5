#include "GlimraApp.h"

#include <iterator>
#include <string>
#include <vector>

#include "Screen.h"
#include "core/ToolbarLayout.h"
#include "resources/resource.h"

namespace Vorlune::Test {

void GlimraApp::Prepare(const std::wstring& ini) const {
    CreateDirectoryW(AppFolder().c_str(), nullptr);
    if (!ini.empty()) WriteUtf16File(IniPath(), ini);
}

namespace {
// A key let go after the window with the X focus left the screen never reaches Wine, which then
// keeps it held for every later press (see the README on hotkeys): a held Ctrl or Shift lets no
// hotkey match, a held F8 makes the next press a repeat. Each test starts with them let go.
void LetGoOfHotKeys() {
    const WORD keys[] = {VK_CONTROL, VK_SHIFT, VK_MENU, VK_SNAPSHOT, VK_F5, VK_F6, VK_F7, VK_F8};
    INPUT inputs[std::size(keys)] = {};
    for (size_t i = 0; i < std::size(keys); ++i)
        inputs[i] = {INPUT_KEYBOARD, {.ki = {keys[i], 0, KEYEVENTF_KEYUP, 0, 0}}};
    SendInput(static_cast<UINT>(std::size(keys)), inputs, sizeof(INPUT));
}
}  // namespace

bool GlimraApp::Start(const std::wstring& ini, BoxesAre boxes, std::function<void(const SeenBox&)> onBox) {
    LetGoOfHotKeys();
    Prepare(ini);
    process_ = std::make_unique<Process>(GlimraExePath(), temp_.Path());
    watcher_ = std::make_unique<MessageBoxWatcher>(process_->Id(), IDOK, std::move(onBox), boxes == BoxesAre::Expected);
    window_ = process_->WaitWindow(L"Glimra", L"Glimra");
    // Start-up ends by showing the window and making its folder; then its message loop runs.
    return window_ != nullptr && WaitUntil([&] { return IsWindowVisible(window_) && IsFolder(AppFolder()); }) &&
           Idle(window_);
}

std::optional<DWORD> GlimraApp::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_->WaitExit();
}

void GlimraApp::Click(int button, bool byMouse) {
    const Rect rect = LayOutToolbar(dpi).clientArea.commands[button];
    const POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    const RECT toolbar = WindowRect();
    if (byMouse) return RealClick({toolbar.left + at.x, toolbar.top + at.y});
    PostMessageW(window_, WM_LBUTTONDOWN, 0, MAKELPARAM(at.x, at.y));
    PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

HWND GlimraApp::WaitDialog() {
    HWND dialog = nullptr;
    const auto shown = [&] {
        dialog = process_->FindWindowOf(L"#32770");
        return dialog != nullptr && GetDlgItem(dialog, IDC_SETTINGS_TREE) != nullptr && IsWindowVisible(dialog);
    };
    return WaitUntil(shown) ? dialog : nullptr;
}

bool GlimraApp::ToolbarBack() {
    return WaitUntil([&] { return IsWindowVisible(window_) && process_->FindWindowOf(L"#32770") == nullptr; });
}

HWND GlimraApp::WaitOverlay(const std::wstring& className) {
    HWND overlay = process_->WaitWindow(className);
    const bool up =
        WaitUntil([&] {
            return IsWindowVisible(overlay) && !IsWindowVisible(window_) && GetForegroundWindow() == overlay;
        }) &&
        Idle(overlay);
    return up ? overlay : nullptr;
}

void Input(DWORD flags, POINT at) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (at.x * 65536 + w - 1) / w;
    input.mi.dy = (at.y * 65536 + h - 1) / h;
    SendInput(1, &input, sizeof input);
}

void RealClick(POINT screen) {
    Input(0, screen);
    Input(MOUSEEVENTF_LEFTDOWN, screen);
    Input(MOUSEEVENTF_LEFTUP, screen);
}

void RealDrag(const RECT& area) {
    Input(MOUSEEVENTF_LEFTDOWN, {area.left, area.top});
    Input(0, {(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    Input(MOUSEEVENTF_LEFTUP, {area.right - 1, area.bottom - 1});
}

namespace {
// With its scan code, as a keyboard gives it: a hotkey control reads the key from that.
INPUT KeyInput(WORD key, DWORD flags) {
    return {INPUT_KEYBOARD, {.ki = {key, WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)), flags, 0, 0}}};
}
}  // namespace

void PressChord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, 0));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) inputs.push_back(KeyInput(*key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool TurnWheel(POINT at, int notches, WORD held) {
    if (!PlaceCursor(at)) return false;
    const DWORD delta = static_cast<DWORD>(notches * WHEEL_DELTA);
    std::vector<INPUT> inputs = {{INPUT_MOUSE, {.mi = {0, 0, delta, MOUSEEVENTF_WHEEL, 0, 0}}}};
    if (held != 0) {
        // Without its scan code: sent with one, a held Ctrl now and then missed the wheel under Wine
        // and stayed down into the tests after.
        inputs.insert(inputs.begin(), {INPUT_KEYBOARD, {.ki = {held, 0, 0, 0, 0}}});
        inputs.push_back({INPUT_KEYBOARD, {.ki = {held, 0, KEYEVENTF_KEYUP, 0, 0}}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return true;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND PageControl(HWND dialog, int id) {
    HWND found = nullptr;
    for (HWND page = nullptr; (page = FindWindowExW(dialog, page, L"#32770", nullptr)) != nullptr;)
        if (HWND control = GetDlgItem(page, id); control != nullptr && (found == nullptr || IsWindowVisible(control)))
            found = control;
    return found;
}

std::optional<std::wstring> IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t value[1024] = {};
    GetPrivateProfileStringW(section, key, L"\n", value, 1024, path.c_str());  // no value holds a line break
    if (value == std::wstring(L"\n")) return std::nullopt;
    return value;
}

}  // namespace Vorlune::Test
