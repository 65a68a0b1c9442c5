#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/OffscreenDC.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"
#include "ui/MessageMap.h"
#include "widgets/CommandButton.h"
#include "widgets/GroupBox.h"

namespace Vorlune {

// The toolbar, 230 x 89 at 96 DPI and in proportion at the DPI of its monitor: a frame around
// the title bar and the client area, painted through one back buffer; it follows the focus,
// moves when the title bar is dragged and lays itself out again on a monitor of another DPI.
class MainWindow {
public:
    static constexpr COLORREF kBackground = 0xC0C0C0;

    static SIZE SizeAt(int dpi);

    void Attach(HWND hwnd, int x, int y);
    // The layout and the back buffer for dpi; nothing is ever drawn outside the toolbar.
    void BuildSurface(int dpi);
    // The title bar, then the client area whose command buttons call run.
    void BuildContainers(HICON icon, const std::wstring& title, const CommandRunner& run);

    HWND Handle() const { return hwnd_; }
    int Dpi() const { return layout_.dpi; }

    // Its handlers, for RegisterToolbarHandlers.
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    // Another window took the mouse: no press may later end on the wrong button.
    void OnCaptureLost();
    // Windows moved the toolbar to a monitor of another DPI: its place, and the toolbar's
    // own size at that DPI, which Windows' suggestion may miss by its rounding.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // Where Windows tells of no DPI change (Wine never does), a move asks the monitor itself;
    // the answer comes as a posted message, after the move is done.
    void OnMoved();
    void OnMonitorDpiDue();

    static constexpr UINT kMonitorDpiDue = WM_APP + 20;

private:
    void Refresh();
    // Lays out again at dpi at the top-left corner at.
    void ApplyDpi(int dpi, POINT at);

    static constexpr COLORREF kFocused[3] = {0xD78318, 0xC0C0C0, 0xFFFFFF};
    static constexpr COLORREF kUnfocused[3] = {0xA5A5A5, 0xC0C0C0, 0xFFFFFF};

    COLORREF current_[3] = {kFocused[0], kFocused[1], kFocused[2]};
    OffscreenDC offscreen_;
    bool dragging_ = false;
    ToolbarLayout layout_ = LayOutToolbar(kBaseDpi);
    RECT client_ = {};
    HWND hwnd_ = nullptr;
    bool dpiDue_ = false;
    HICON icon_ = nullptr;
    std::wstring title_;
    CommandRunner run_;
    POINT position_ = {};
    POINT lastCursor_ = {};
    // The title bar first: it is asked whether a press starts a drag.
    std::vector<std::unique_ptr<GroupBox>> containers_;
};

MainWindow& TheMainWindow();
MessageMap& MainWindowMap();

}  // namespace Vorlune
