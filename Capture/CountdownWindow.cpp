#include "Capture/CountdownWindow.h"

#include "ui/MessageMap.h"
#include "ui/WindowClass.h"

namespace Vorlune {

namespace {

constexpr size_t kMaxCaption = 99;

// No handler is ever registered in its map: the window only carries its caption.
struct CountdownClass;

}  // namespace

MessageMap& CountdownMessageMap() { return ClassMessageMap<CountdownClass>(); }

std::wstring CountdownCaption(const std::wstring& title, int seconds, const std::wstring& unit) {
    std::wstring caption = title + L' ' + std::to_wstring(seconds) + L' ' + unit;
    if (caption.size() > kMaxCaption) caption.resize(kMaxCaption);
    return caption;
}

CountdownWindow::CountdownWindow() {
    RegisterPlainWindowClass(kCountdownClassName, ClassWindowProcedure<CountdownClass>);
    // A failed creation is not fatal: the countdown then runs unseen.
    hwnd_.reset(CreateWindowExW(WS_EX_TOPMOST, kCountdownClassName, nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr));
}

void CountdownWindow::Show(const std::wstring& caption) {
    if (hwnd_ == nullptr) return;
    SetWindowTextW(hwnd_.get(), caption.c_str());
    ShowWindow(hwnd_.get(), SW_SHOWNOACTIVATE);
}

void CountdownWindow::Hide() {
    if (hwnd_ != nullptr) ShowWindow(hwnd_.get(), SW_HIDE);
}

}  // namespace Vorlune
