#include "scrolling/ScrollControl.h"

#include "Capture/CaptureErrors.h"
#include "Capture/Dib.h"
#include "app/AppContext.h"
#include "core/BesideArea.h"
#include "core/Dpi.h"
#include "draw/GdiObjectCache.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {

constexpr const wchar_t* kClassName = L"GlimraScrolling";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr UINT_PTR kTimer = 1;
// At 96 DPI: the client area, its margin, the preview's room and a line of text.
constexpr Size kClient = {240, 420};
constexpr int kMargin = 8;
constexpr int kPreviewHeight = 300;
constexpr int kLine = 18;
constexpr int kButtonHeight = 26;
constexpr int kGap = 8;
enum ButtonId : int { kStopButton = 1, kCancelButton = 2 };
constexpr WPARAM kByHandKey = 'M';
constexpr WPARAM kAcrossKey = 'H';

RECT ClientPlace(const RECT& area, SIZE client) {
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const Size size = {frame.right - frame.left, frame.bottom - frame.top};
    const POINT centre = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    const Rect room = ToCore(WorkAreaAt(centre));
    const int gap = Scaled(kGap, DpiOfRect(area));
    // With no side free, a corner of the work area; the capture then grabs it too.
    const Rect place = PlaceBeside(ToCore(area), size, room, gap)
                           .value_or(Rect{room.right - size.cx, room.bottom - size.cy, room.right, room.bottom});
    return ToWin(place);
}

}  // namespace

ScrollControl::ScrollControl(const RECT& area, Actions actions) : actions_(std::move(actions)), dpi_(DpiOfRect(area)) {
    const Size client = Scaled(kClient, dpi_);
    const int margin = Scaled(kMargin, dpi_);
    previewRoom_ = {client.cx - 2 * margin, Scaled(kPreviewHeight, dpi_)};
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
    map_.AddHandler(WM_PAINT, this, &ScrollControl::OnPaint);
    map_.AddHandler(WM_COMMAND, [this](WPARAM w, LPARAM) { OnCommand(LOWORD(w)); });
    map_.AddHandler(WM_KEYDOWN, this, &ScrollControl::OnKeyDown);
    map_.AddHandler(WM_TIMER, [this](WPARAM, LPARAM) { actions_.tick(); });
    map_.AddHandler(WM_CLOSE, [this](WPARAM, LPARAM) { actions_.cancel(); });
    const RECT place = ClientPlace(area, {client.cx, client.cy});
    HWND created =
        CreateWindowExW(kExStyle, kClassName, App().GetText(TextScrollingTitle).c_str(), kStyle, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, nullptr, nullptr, wc.hInstance, this);
    if (created == nullptr) throw CaptureException(__FILE__, __LINE__, GetLastError());
    window_.reset(created);
    const int buttonTop = client.cy - margin - Scaled(kButtonHeight, dpi_);
    const int buttonWidth = (client.cx - 3 * margin) / 2;
    const HFONT font = GdiCache().GetFont(0, dpi_).get();
    const struct {
        ButtonId id;
        TextId text;
        int left;
    } buttons[] = {{kStopButton, TextScrollStop, margin}, {kCancelButton, TextScrollCancel, 2 * margin + buttonWidth}};
    for (const auto& button : buttons) {
        HWND child = CreateWindowExW(0, L"BUTTON", App().GetText(button.text).c_str(), WS_CHILD | WS_VISIBLE,
                                     button.left, buttonTop, buttonWidth, Scaled(kButtonHeight, dpi_), created,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), wc.hInstance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(created, SW_SHOW);
    SetForegroundWindow(created);
    SetFocus(created);
}

ScrollControl::~ScrollControl() { StopServing(window_.get(), map_); }

LRESULT CALLBACK ScrollControl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = ServedObject<ScrollControl>(hwnd, message, lParam);
    if (control == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    return ServeWindowMessage(control->map_, hwnd, message, wParam, lParam);
}

void ScrollControl::Show(ScrollFrame preview, std::wstring size, std::wstring state) {
    preview_ = std::move(preview);
    size_ = std::move(size);
    state_ = std::move(state);
    InvalidateRect(window_.get(), nullptr, TRUE);
}

void ScrollControl::TickEvery(UINT milliseconds) { SetTimer(window_.get(), kTimer, milliseconds, nullptr); }

void ScrollControl::Close() {
    KillTimer(window_.get(), kTimer);
    window_.reset();
}

void ScrollControl::OnPaint() {
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(window_.get(), &ps);
    const int margin = Scaled(kMargin, dpi_);
    if (!preview_.pixels.empty()) {
        const BITMAPINFO info = DibInfo(preview_.width, -preview_.height, 32);  // top-down
        const int left = margin + (previewRoom_.cx - preview_.width) / 2;
        SetDIBitsToDevice(paint, left, margin, preview_.width, preview_.height, 0, 0, 0, preview_.height,
                          preview_.pixels.data(), &info, DIB_RGB_COLORS);
    }
    const SelectGuard font(paint, GdiCache().GetFont(0, dpi_).get());
    SetBkMode(paint, TRANSPARENT);
    RECT line = {margin, 2 * margin + previewRoom_.cy, margin + previewRoom_.cx,
                 2 * margin + previewRoom_.cy + Scaled(kLine, dpi_)};
    DrawTextW(paint, size_.c_str(), -1, &line, DT_SINGLELINE | DT_NOPREFIX);
    OffsetRect(&line, 0, Scaled(kLine, dpi_));
    line.bottom += Scaled(2 * kLine, dpi_);
    DrawTextW(paint, state_.c_str(), -1, &line, DT_WORDBREAK | DT_NOPREFIX);
    EndPaint(window_.get(), &ps);
}

void ScrollControl::OnCommand(WPARAM id) {
    if (id == kStopButton) actions_.stop();
    if (id == kCancelButton) actions_.cancel();
}

void ScrollControl::OnKeyDown(WPARAM key) {
    if (key == VK_RETURN) actions_.stop();
    if (key == VK_ESCAPE) actions_.cancel();
    if (key == kByHandKey) actions_.byHand();
    if (key == kAcrossKey) actions_.across();
}

}  // namespace Vorlune
