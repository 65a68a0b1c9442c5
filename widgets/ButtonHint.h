#pragma once
#include <windows.h>

#include "draw/ToolTip.h"
#include "core/TextId.h"

namespace Vorlune {

// The tooltip steps every button with a hint shares: the text of its id in the current
// language, shown only while the ButtonToolTip setting is 1.
class ButtonHint {
public:
    ButtonHint(HWND owner, const RECT& rect, TextId id);

    void ShowAt(POINT client) const;
    // Shows the hint when the cursor is over the button; tells whether it is.
    bool ShowIfUnderCursor() const;
    void Hide() const { handle_.HideToolTip(); }

private:
    HWND owner_;
    TextId id_;
    ToolTipHandle handle_;
};

}  // namespace Vorlune
