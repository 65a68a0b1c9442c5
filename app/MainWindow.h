#pragma once
#include <windows.h>

#include "app/OffscreenDC.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// The 230 x 89 toolbar: paints through its off-screen surface and follows the focus.
class MainWindow {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 89;
    static constexpr COLORREF kBackground = 0xC0C0C0;

    void Attach(HWND hwnd, int x, int y);
    void BuildSurface() { offscreen_.CreateDesktopSized(); }
    void RegisterHandlers(MessageMap& map);

    HWND Handle() const { return hwnd_; }

private:
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void Refresh();

    static constexpr COLORREF kFocused[3] = {0xD78318, 0xC0C0C0, 0xFFFFFF};
    static constexpr COLORREF kUnfocused[3] = {0xA5A5A5, 0xC0C0C0, 0xFFFFFF};

    COLORREF current_[3] = {kFocused[0], kFocused[1], kFocused[2]};
    OffscreenDC offscreen_;
    RECT client_ = {0, 0, kWidth, kHeight};
    HWND hwnd_ = nullptr;
    POINT position_ = {};
};

MainWindow& TheMainWindow();
MessageMap& MainWindowMap();

}  // namespace Vorlune
