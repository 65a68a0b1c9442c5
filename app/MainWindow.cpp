#include "app/MainWindow.h"

#include <algorithm>

#include "draw/Primitives.h"

namespace Vorlune {

void MainWindow::Attach(HWND hwnd, int x, int y) {
    hwnd_ = hwnd;
    position_ = {x, y};
}

void MainWindow::RegisterHandlers(MessageMap& map) {
    map.AddHandler(WM_SETFOCUS, this, &MainWindow::OnSetFocus);
    map.AddHandler(WM_KILLFOCUS, this, &MainWindow::OnKillFocus);
    map.AddHandler(WM_PAINT, this, &MainWindow::OnPaint);
    map.AddHandler(WM_LBUTTONDOWN, this, &MainWindow::OnLButtonDown);
    map.AddHandler(WM_LBUTTONUP, this, &MainWindow::OnLButtonUp);
    map.AddHandler(WM_MOUSEMOVE, this, &MainWindow::OnMouseMove);
}

void MainWindow::OnSetFocus() {
    std::copy(std::begin(kFocused), std::end(kFocused), current_);
    Refresh();
}

void MainWindow::OnKillFocus() {
    std::copy(std::begin(kUnfocused), std::end(kUnfocused), current_);
    Refresh();
}

void MainWindow::OnPaint() {
    HDC surface = offscreen_.Get();
    DrawFilledRectangle(surface, client_, current_[0], kBackground);
    PAINTSTRUCT ps = {};
    HDC paint = BeginPaint(hwnd_, &ps);
    BitBlt(paint, 0, 0, kWidth, kHeight, surface, 0, 0, SRCCOPY | CAPTUREBLT);
    EndPaint(hwnd_, &ps);
}

void MainWindow::OnLButtonDown(WPARAM, LPARAM) {
    SetCapture(hwnd_);
    Refresh();
}

void MainWindow::OnLButtonUp(WPARAM, LPARAM) {
    ReleaseCapture();
    Refresh();
}

void MainWindow::OnMouseMove(WPARAM, LPARAM) { Refresh(); }

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
