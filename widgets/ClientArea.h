#pragma once
#include "core/ToolbarLayout.h"
#include "widgets/ButtonList.h"
#include "widgets/CommandButton.h"
#include "widgets/GroupBox.h"

namespace Vorlune {

// Five command buttons in a row, a toggle under each on a pink band. The first four toggles
// choose the variant of the command above them; the fifth switches the language.
class ClientArea : public GroupBox {
public:
    ClientArea(HWND owner, HDC backBuffer, const ClientAreaLayout& layout, int dpi, const CommandRunner& run);

    // Toggles first, then commands, for every operation.
    void Draw() override;
    void Activate() override;
    void Deactivate() override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnMouseMove(POINT point) override;
    bool IsDragArea(POINT) override { return true; }
    void OnCaptureLost() override;

private:
    RECT band_;
    HDC backBuffer_;
    ButtonList commands_;
    ButtonList toggles_;
};

}  // namespace Vorlune
