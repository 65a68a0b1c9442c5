#pragma once
#include <windows.h>

#include <string>

#include "ui/GdiOwners.h"

namespace Vorlune {

inline constexpr wchar_t kCountdownClassName[] = L"DelayedDesktopCaptureImpl";

class MessageMap;
// The countdown class's map; it stays empty, the window only carries its caption.
MessageMap& CountdownMessageMap();

// "title seconds unit", cut to at most 99 characters.
std::wstring CountdownCaption(const std::wstring& title, int seconds, const std::wstring& unit);

// The hidden 1 x 1 topmost window whose caption shows the seconds left before a delayed
// capture. It never takes the activation: the user is waiting on another window, whose
// menus and hover states close when the focus moves. Destroyed with the object.
class CountdownWindow {
public:
    CountdownWindow();

    void Show(const std::wstring& caption);
    void Hide();

private:
    OwnedWindow hwnd_;
};

}  // namespace Vorlune
