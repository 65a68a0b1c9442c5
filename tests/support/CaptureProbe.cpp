#include "CaptureProbe.h"

#include <algorithm>

#include "Wait.h"

namespace Vorlune::Test {

namespace {
// One class per colour, since the class brush paints the window.
const wchar_t* ColourClass(HBRUSH brush) {
    static int counter = 0;
    static wchar_t name[64];
    wsprintfW(name, L"GlimraTestColour%d", ++counter);
    const WNDCLASSEXW wc = {sizeof wc, 0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, brush, nullptr,
                            name, nullptr};
    RegisterClassExW(&wc);
    return name;
}
}  // namespace

ColourWindow::ColourWindow(const RECT& rect, COLORREF colour) {
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ColourClass(CreateSolidBrush(colour)), L"colour", WS_POPUP | WS_VISIBLE,
                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(hwnd_);
}

ColourWindow::~ColourWindow() {
    const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(hwnd_, GCLP_HBRBACKGROUND));
    DestroyWindow(hwnd_);
    DeleteObject(brush);
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
        return GetCursorInfo(&info) && info.hCursor == cursor && info.ptScreenPos.x == x && info.ptScreenPos.y == y;
    });
}

HCURSOR MakeTestCursor() {
    BYTE andPlane[32 * 4];
    BYTE xorPlane[32 * 4] = {};
    std::fill(std::begin(andPlane), std::end(andPlane), BYTE{0xFF});
    for (int y = 7; y < 10; ++y) andPlane[y * 4] = 0xF8;  // x 5 to 7, black
    andPlane[12 * 4 + 1] = 0xDF;  // x 10, white
    xorPlane[12 * 4 + 1] = 0x20;
    return CreateCursor(GetModuleHandleW(nullptr), 5, 7, 32, 32, andPlane, xorPlane);
}

void TypeKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            inputs.push_back({INPUT_KEYBOARD, {}});
            inputs.back().ki = {key, 0, flags, 0, 0};
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace Vorlune::Test
