#include "app/MainWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "draw/Primitives.h"
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

void MainWindow::BuildContainers(HICON icon, const std::wstring& title, const CommandRunner& run) {
    containers_.clear();
    containers_.push_back(std::make_unique<TitleBar>(hwnd_, offscreen_.Get(), RECT{1, 1, 229, 26}, icon, title));
    containers_.push_back(std::make_unique<ClientArea>(hwnd_, offscreen_.Get(), RECT{1, 26, 229, 88}, run));
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
    DrawFilledRectangle(surface, client_, current_[0], kBackground);
    for (const auto& box : containers_) box->Draw();
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(hwnd_, &ps);
    BitBlt(paint, 0, 0, kWidth, kHeight, surface, 0, 0, SRCCOPY | CAPTUREBLT);
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
        MoveWindow(hwnd_, position_.x, position_.y, kWidth, kHeight, FALSE);
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
