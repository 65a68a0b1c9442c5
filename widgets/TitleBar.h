#pragma once
#include <string>

#include "core/Colours.h"
#include "core/ToolbarLayout.h"
#include "widgets/ButtonList.h"
#include "widgets/GroupBox.h"

namespace Vorlune {

// The bar across the top: icon with the system menu, title, cursor toggle, minimise, close.
class TitleBar : public GroupBox {
public:
    TitleBar(HWND owner, HDC backBuffer, const TitleBarLayout& layout, int dpi, HICON icon, std::wstring title);

    void Draw() override;
    void Activate() override;
    void Deactivate() override;
    void OnLButtonDown(POINT point) override { buttons_.OnLButtonDown(point); }
    void OnLButtonUp(POINT point) override { buttons_.OnLButtonUp(point); }
    void OnMouseMove(POINT point) override { buttons_.OnMouseMove(point); }
    // On the caption, unless a button of the bar was pressed.
    bool IsDragArea(POINT point) override;
    void OnCaptureLost() override { buttons_.OnCaptureLost(); }

private:
    TitleBarColours current_;
    int dpi_;
    HDC backBuffer_;
    RECT bar_;
    RECT caption_;
    RECT text_;
    std::wstring title_;
    ButtonList buttons_;
};

}  // namespace Vorlune
