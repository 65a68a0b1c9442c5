#include "ui/MessageMap.h"

#include "ui/PendingException.h"

namespace Vorlune {

void MessageMap::AddHandler(UINT message, MessageHandler handler) {
    if (handler) handlers_.try_emplace(message, std::move(handler));
}

void MessageMap::AddResultHandler(UINT message, ResultHandler handler) {
    if (handler) resultHandlers_.try_emplace(message, std::move(handler));
}

bool MessageMap::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) const {
    auto it = handlers_.find(message);
    if (it == handlers_.end()) return true;
    it->second(wParam, lParam);
    return false;
}

INT_PTR MessageMap::DispatchDialog(UINT message, WPARAM wParam, LPARAM lParam) const {
    auto it = resultHandlers_.find(message);
    if (it != resultHandlers_.end()) {
        ResultHandler handler = it->second;  // a handler may register further entries
        return handler(wParam, lParam);
    }
    return Dispatch(message, wParam, lParam) ? FALSE : TRUE;
}

void MessageMap::Clear() {
    handlers_.clear();
    resultHandlers_.clear();
}

LRESULT ServeWindowMessage(const MessageMap& map, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (IsEnding()) return DefWindowProcW(hwnd, message, wParam, lParam);
    bool unhandled = true;
    if (!GuardCall([&] { unhandled = map.Dispatch(message, wParam, lParam); })) return 0;
    return unhandled ? DefWindowProcW(hwnd, message, wParam, lParam) : 0;
}

INT_PTR ServeDialogMessage(const MessageMap& map, HWND& slot, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           void (*onError)(const std::exception&)) {
    slot = hwnd;
    try {
        return map.DispatchDialog(message, wParam, lParam);
    } catch (const std::exception& error) {
        onError(error);
        return TRUE;
    }
}

}  // namespace Vorlune
