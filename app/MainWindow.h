#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/OffscreenDC.h"
#include "ui/MessageMap.h"
#include "widgets/CommandButton.h"
#include "widgets/GroupBox.h"

namespace Vorlune {

// The 230 x 89 toolbar: a frame around the title bar and the client area, painted through
// one back buffer; it follows the focus and moves when the title bar is dragged.
class MainWindow {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 89;
    static constexpr COLORREF kBackground = 0xC0C0C0;

    void Attach(HWND hwnd, int x, int y);
    // The toolbar's size only: nothing is ever drawn outside it.
    void BuildSurface() { offscreen_.Create({kWidth, kHeight}); }
    // The title bar, then the client area whose command buttons call run.
    void BuildContainers(HICON icon, const std::wstring& title, const CommandRunner& run);

    HWND Handle() const { return hwnd_; }

    // Its handlers, for RegisterToolbarHandlers.
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    // Another window took the mouse: no press may later end on the wrong button.
    void OnCaptureLost();

private:
    void Refresh();

    static constexpr COLORREF kFocused[3] = {0xD78318, 0xC0C0C0, 0xFFFFFF};
    static constexpr COLORREF kUnfocused[3] = {0xA5A5A5, 0xC0C0C0, 0xFFFFFF};

    COLORREF current_[3] = {kFocused[0], kFocused[1], kFocused[2]};
    OffscreenDC offscreen_;
    bool dragging_ = false;
    RECT client_ = {0, 0, kWidth, kHeight};
    HWND hwnd_ = nullptr;
    POINT position_ = {};
    POINT lastCursor_ = {};
    // The title bar first: it is asked whether a press starts a drag.
    std::vector<std::unique_ptr<GroupBox>> containers_;
};

MainWindow& TheMainWindow();
MessageMap& MainWindowMap();

}  // namespace Vorlune
