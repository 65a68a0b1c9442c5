#pragma once
#include <windows.h>

namespace Vorlune {

// A part of the toolbar that lays out, paints and drives its own buttons. The main window
// forwards its focus, paint and mouse messages; points are in its client coordinates.
class GroupBox {
public:
    virtual void Draw() = 0;
    virtual void Activate() = 0;
    virtual void Deactivate() = 0;
    virtual void OnLButtonDown(POINT point) = 0;
    virtual void OnLButtonUp(POINT point) = 0;
    virtual void OnMouseMove(POINT point) = 0;
    // Whether a press at point starts moving the window; asked after OnLButtonDown.
    virtual bool IsDragArea(POINT point) = 0;
    // WM_CAPTURECHANGED or WM_CANCELMODE: a press in progress ends outside every button.
    virtual void OnCaptureLost() = 0;
    virtual ~GroupBox() = default;
};

}  // namespace Vorlune
