#include "pin/PinWindow.h"

#include <windowsx.h>

#include <utility>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "app/AppContext.h"
#include "core/MarkupView.h"
#include "draw/Primitives.h"
#include "ui/Geometry.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {
constexpr DWORD kStyle = WS_POPUP;
// No taskbar button: a pin is a note on the screen, not a program window.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
constexpr int kOutline = 1;
constexpr int kFull = 100;

// 0 is what TrackPopupMenu answers when nothing was chosen.
enum MenuCommand : UINT { MenuCopy = 1, MenuSave, MenuClose };
struct MenuItem {
    MenuCommand command;
    TextId text;
};
constexpr MenuItem kMenu[] = {{MenuCopy, TextPinCopy}, {MenuSave, TextPinSave}, {MenuClose, TextPinClose}};

POINT MessageCursor() {
    const DWORD at = GetMessagePos();
    return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

POINT WindowTopLeft(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return {frame.left, frame.top};
}
}  // namespace

PinWindow::PinWindow(CapturedImage image, POINT topLeft, std::function<void(PinWindow&)> onClosed)
    : image_(std::move(image)),
      imageDC_(CreateCompatibleDC(nullptr)),
      selected_(imageDC_.get(), image_.Bitmap()),
      onClosed_(std::move(onClosed)) {
    if (!imageDC_) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_SIZEALL);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
    RegisterHandlers();
    const SIZE size = WindowSize();
    HWND created = CreateWindowExW(kExStyle, kClassName, App().title.c_str(), kStyle, topLeft.x - kOutline,
                                   topLeft.y - kOutline, size.cx, size.cy, nullptr, nullptr, wc.hInstance, this);
    if (created == nullptr) throw CaptureException(__FILE__, __LINE__, GetLastError());
    window_.reset(created);
    SetOpacity(opacity_);
    ShowWindow(created, SW_SHOW);
    SetForegroundWindow(created);
    UpdateWindow(created);
}

PinWindow::~PinWindow() { StopServing(window_.get(), map_); }

LRESULT CALLBACK PinWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pin = ServedObject<PinWindow>(hwnd, message, lParam);
    if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
    if (pin == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    ++pin->handling_;
    const LRESULT result = ServeWindowMessage(pin->map_, hwnd, message, wParam, lParam);
    if (--pin->handling_ == 0 && pin->closed_)
        if (auto onClosed = std::exchange(pin->onClosed_, nullptr)) onClosed(*pin);
    return result;
}

void PinWindow::RegisterHandlers() {
    map_.AddHandler(WM_PAINT, this, &PinWindow::OnPaint);
    map_.AddHandler(WM_LBUTTONDOWN, [this](WPARAM, LPARAM) {
        SetCapture(window_.get());
        StartDrag();
    });
    map_.AddHandler(WM_MOUSEMOVE, this, &PinWindow::OnMouseMove);
    map_.AddHandler(WM_LBUTTONUP, [this](WPARAM, LPARAM) {
        OnMouseMove();  // to where the button was let go, should no move have said so
        ReleaseCapture();
    });
    map_.AddHandler(WM_CAPTURECHANGED, [this](WPARAM, LPARAM) { drag_.reset(); });
    map_.AddHandler(WM_LBUTTONDBLCLK, this, &PinWindow::Close);
    map_.AddHandler(WM_MOUSEWHEEL, this, &PinWindow::OnMouseWheel);
    map_.AddHandler(WM_KEYDOWN, this, &PinWindow::OnKeyDown);
    map_.AddHandler(WM_CONTEXTMENU, this, &PinWindow::OnContextMenu);
    map_.AddHandler(WM_CLOSE, this, &PinWindow::Close);
    // It shows the image's physical pixels: a monitor of another scale changes nothing of its size.
    map_.AddHandler(WM_DPICHANGED, [](WPARAM, LPARAM) {});
}

SIZE PinWindow::WindowSize() const {
    const Size shown = ZoomedSize({image_.Width(), image_.Height()}, zoom_);
    return {shown.cx + 2 * kOutline, shown.cy + 2 * kOutline};
}

void PinWindow::OnPaint() {
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(window_.get(), &ps);
    const SIZE size = WindowSize();
    SetStretchBltMode(paint, zoom_ < kFull ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(paint, 0, 0, nullptr);
    StretchBlt(paint, kOutline, kOutline, size.cx - 2 * kOutline, size.cy - 2 * kOutline, imageDC_.get(), 0, 0,
               image_.Width(), image_.Height(), SRCCOPY);
    DrawFrame(paint, {0, 0, size.cx - 1, size.cy - 1}, GetAuxiliaryLineColor());
    EndPaint(window_.get(), &ps);
}

void PinWindow::StartDrag() { drag_ = Drag{MessageCursor(), WindowTopLeft(window_.get())}; }

void PinWindow::OnMouseMove() {
    if (!drag_) return;
    const POINT cursor = MessageCursor();
    SetWindowPos(window_.get(), nullptr, drag_->window.x + cursor.x - drag_->cursor.x,
                 drag_->window.y + cursor.y - drag_->cursor.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PinWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    const int notches = wheel_.Add(GET_WHEEL_DELTA_WPARAM(wParam));
    if (notches == 0) return;
    if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0)
        SetOpacity(PinOpacityAfter(opacity_, notches));
    else
        Zoom(notches, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void PinWindow::Zoom(int notches, POINT cursor) {
    const Size image = {image_.Width(), image_.Height()};
    const int zoom = PinZoomAfter(zoom_, notches, PinZoomLimit(image, SizeOf(ToCore(VirtualScreenRect()))));
    if (zoom == zoom_) return;
    const POINT frame = WindowTopLeft(window_.get());
    const Point place = ZoomAbout({frame.x + kOutline, frame.y + kOutline}, ToCore(cursor), zoom_, zoom);
    zoom_ = zoom;
    const SIZE size = WindowSize();
    SetWindowPos(window_.get(), nullptr, place.x - kOutline, place.y - kOutline, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_.get(), nullptr, FALSE);
    if (drag_) StartDrag();  // a drag goes on from the new place
}

void PinWindow::SetOpacity(int percent) {
    opacity_ = percent;
    SetLayeredWindowAttributes(window_.get(), 0, PinAlpha(opacity_), LWA_ALPHA);
}

void PinWindow::OnKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) Close();
}

void PinWindow::OnContextMenu(WPARAM, LPARAM lParam) {
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) at = WindowTopLeft(window_.get());  // asked for from the keyboard
    const OwnedMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const MenuItem& item : kMenu)
        AppendMenuW(menu.get(), MF_STRING, item.command, App().GetText(item.text).c_str());
    // Without the foreground the menu would stay up after a click elsewhere.
    SetForegroundWindow(window_.get());
    const auto chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         at.x, at.y, 0, window_.get(), nullptr));
    switch (chosen) {
        case MenuCopy: Copy(); break;
        case MenuSave: Save(); break;
        case MenuClose: Close(); break;
        default: break;
    }
}

void PinWindow::Copy() const {
    try {
        CopyImageOrTell(OutputTeller(window_.get()), image_, EncodeImageFile(image_, ImageFormatPng).Png());
    } catch (const std::exception& error) {
        Report(error);
    }
}

void PinWindow::Save() {
    try {
        FinishCapture(namer_, imageDC_.get(), window_.get(), {0, 0}, {image_.Width(), image_.Height()});
    } catch (const std::exception& error) {
        Report(error);
    }
}

void PinWindow::Report(const std::exception& error) const {
    MessageBoxA(window_.get(), error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
}

void PinWindow::Close() {
    closed_ = true;
    ShowWindow(window_.get(), SW_HIDE);
}

}  // namespace Vorlune
