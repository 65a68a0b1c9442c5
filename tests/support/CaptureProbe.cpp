#include "CaptureProbe.h"

#include <algorithm>

#include "Wait.h"

namespace Vorlune::Test {

namespace {
const wchar_t* ColourClass(HBRUSH brush) {
    // One class per colour, since the class brush paints the window.
    static int counter = 0;
    static wchar_t name[64];
    wsprintfW(name, L"GlimraTestColour%d", ++counter);
    const WNDCLASSEXW wc = {sizeof wc, 0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, brush, nullptr,
                            name, nullptr};
    RegisterClassExW(&wc);
    return name;
}
}  // namespace

ColourWindow::ColourWindow(const RECT& rect, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ColourClass(brush_), L"colour", WS_POPUP | WS_VISIBLE,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd_);
}

ColourWindow::~ColourWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    DeleteObject(brush_);
}

bool Contains(const std::vector<POINT>& points, POINT wanted) {
    return std::any_of(points.begin(), points.end(), [&](POINT p) { return p.x == wanted.x && p.y == wanted.y; });
}

bool PlaceCursor(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    return WaitUntil([&] {
        POINT now = {};
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
}

CurrentCursor::CurrentCursor(HCURSOR cursor, int x, int y) : window_({x - 50, y - 50, x + 50, y + 50}, 0x808080) {
    SetForegroundWindow(window_.Handle());
    SetCursorPos(x, y);
    ready_ = WaitUntil([&] {
        SetCursor(cursor);
        CURSORINFO info = {sizeof info, 0, nullptr, {}};
        POINT at = {};
        GetCursorPos(&at);
        return GetCursorInfo(&info) && info.hCursor == cursor && at.x == x && at.y == y;
    });
}

HCURSOR MakeTestCursor() {
    BYTE andPlane[32 * 4];
    BYTE xorPlane[32 * 4] = {};
    std::fill(std::begin(andPlane), std::end(andPlane), BYTE{0xFF});
    auto opaque = [&](int x, int y, bool white) {
        andPlane[y * 4 + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
        if (white) xorPlane[y * 4 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    };
    for (int y = 7; y < 10; ++y)
        for (int x = 5; x < 8; ++x) opaque(x, y, false);
    opaque(10, 12, true);
    return CreateCursor(GetModuleHandleW(nullptr), 5, 7, 32, 32, andPlane, xorPlane);
}

namespace {
void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, 0, flags, 0, 0};
    return input;
}
}  // namespace

void SendMouse(std::initializer_list<DWORD> flags) {
    std::vector<INPUT> inputs;
    for (DWORD flag : flags) {
        inputs.push_back({});
        inputs.back().type = INPUT_MOUSE;
        inputs.back().mi.dwFlags = flag;
    }
    Send(inputs);
}

void SendKey(WORD key, DWORD flags) { Send({KeyInput(key, flags)}); }

void TypeKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.insert(inputs.end(), {KeyInput(key, 0), KeyInput(key, KEYEVENTF_KEYUP)});
    Send(inputs);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace Vorlune::Test
