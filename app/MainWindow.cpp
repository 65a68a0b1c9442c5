#include "app/MainWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "draw/Primitives.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "widgets/ClientArea.h"
#include "widgets/TitleBar.h"

namespace Vorlune {

namespace {
POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
}  // namespace

void MainWindow::Attach(HWND hwnd, int x, int y) {
    hwnd_ = hwnd;
    position_ = {x, y};
}

SIZE MainWindow::SizeAt(int dpi) { return ToWin(LayOutToolbar(dpi).window); }

void MainWindow::BuildSurface(int dpi) {
    layout_ = LayOutToolbar(dpi);
    client_ = {0, 0, layout_.window.cx, layout_.window.cy};
    offscreen_.Create(ToWin(layout_.window));
}

void MainWindow::BuildContainers(HICON icon, const std::wstring& title, const CommandRunner& run) {
    icon_ = icon;
    title_ = title;
    run_ = run;
    containers_.clear();
    const int dpi = layout_.dpi;
    containers_.push_back(std::make_unique<TitleBar>(hwnd_, offscreen_.Get(), layout_.titleBar, dpi, icon, title));
    containers_.push_back(std::make_unique<ClientArea>(hwnd_, offscreen_.Get(), layout_.clientArea, dpi, run));
}

LRESULT MainWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    ApplyDpi(SaneDpi(LOWORD(wParam)), {suggested->left, suggested->top});
    return 0;
}

void MainWindow::OnMoved() {
    if (dpiDue_ || DpiOfWindow(hwnd_) == layout_.dpi) return;
    dpiDue_ = PostMessageW(hwnd_, kMonitorDpiDue, 0, 0) != FALSE;
}

void MainWindow::OnMonitorDpiDue() {
    dpiDue_ = false;
    const int dpi = DpiOfWindow(hwnd_);
    if (dpi == layout_.dpi) return;
    RECT window = {};
    GetWindowRect(hwnd_, &window);
    ApplyDpi(dpi, {window.left, window.top});
}

void MainWindow::ApplyDpi(int dpi, POINT at) {
    if (dpi != layout_.dpi) {
        BuildSurface(dpi);
        BuildContainers(icon_, title_, run_);
        if (GetFocus() == hwnd_) OnSetFocus();
    }
    position_ = at;
    SetWindowPos(hwnd_, nullptr, at.x, at.y, layout_.window.cx, layout_.window.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    Refresh();
}

void MainWindow::OnSetFocus() {
    std::copy(std::begin(kFocused), std::end(kFocused), current_);
    for (const auto& box : containers_) box->Activate();
    Refresh();
}

void MainWindow::OnKillFocus() {
    std::copy(std::begin(kUnfocused), std::end(kUnfocused), current_);
    for (const auto& box : containers_) box->Deactivate();
    Refresh();
}

void MainWindow::OnPaint() {
    HDC surface = offscreen_.Get();
    DrawFilledRectangle(surface, client_, kBackground, kBackground);
    DrawFrame(surface, {0, 0, client_.right - 1, client_.bottom - 1}, current_[0], layout_.lineWidth);
    for (const auto& box : containers_) box->Draw();
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(hwnd_, &ps);
    BitBlt(paint, 0, 0, client_.right, client_.bottom, surface, 0, 0, SRCCOPY | CAPTUREBLT);
    EndPaint(hwnd_, &ps);
}

void MainWindow::OnLButtonDown(WPARAM, LPARAM lParam) {
    const POINT point = PointOf(lParam);
    for (const auto& box : containers_) box->OnLButtonDown(point);
    dragging_ = !containers_.empty() && containers_.front()->IsDragArea(point);
    if (dragging_) {
        // The window may have been moved by the system menu or another program meanwhile.
        RECT window = {};
        GetWindowRect(hwnd_, &window);
        position_ = {window.left, window.top};
        lastCursor_ = point;
        ClientToScreen(hwnd_, &lastCursor_);
    }
    SetCapture(hwnd_);
    Refresh();
}

void MainWindow::OnLButtonUp(WPARAM, LPARAM lParam) {
    dragging_ = false;
    const POINT point = PointOf(lParam);
    for (const auto& box : containers_) box->OnLButtonUp(point);
    ReleaseCapture();
    Refresh();
}

void MainWindow::OnMouseMove(WPARAM, LPARAM lParam) {
    POINT point = PointOf(lParam);
    for (const auto& box : containers_) box->OnMouseMove(point);
    if (dragging_) {
        ClientToScreen(hwnd_, &point);
        position_.x += point.x - lastCursor_.x;
        position_.y += point.y - lastCursor_.y;
        lastCursor_ = point;
        MoveWindow(hwnd_, position_.x, position_.y, client_.right, client_.bottom, FALSE);
    }
    Refresh();
}

void MainWindow::OnCaptureLost() {
    dragging_ = false;
    for (const auto& box : containers_) box->OnCaptureLost();
    Refresh();
}

void MainWindow::Refresh() {
    InvalidateRect(hwnd_, &client_, FALSE);
    UpdateWindow(hwnd_);
}

MainWindow& TheMainWindow() {
    static MainWindow window;
    return window;
}

MessageMap& MainWindowMap() { return ClassMessageMap<MainWindow>(); }

}  // namespace Vorlune
