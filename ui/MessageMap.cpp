#include "ui/MessageMap.h"

#include "ui/PendingException.h"

namespace Vorlune {

void MessageMap::AddHandler(UINT message, MessageHandler handler) {
    if (handler) entries_.Add(message, {std::move(handler), nullptr});
}

void MessageMap::AddResultHandler(UINT message, ResultHandler handler, WhileEnding whileEnding) {
    if (handler) entries_.Add(message, {nullptr, std::move(handler), whileEnding});
}

std::optional<LRESULT> MessageMap::DispatchWindow(UINT message, WPARAM wParam, LPARAM lParam) const {
    const Entry* entry = entries_.Find(message);
    if (entry == nullptr || (IsEnding() && entry->whileEnding == WhileEnding::Skipped)) return std::nullopt;
    if (entry->resultHandler) return entry->resultHandler(wParam, lParam);
    entry->handler(wParam, lParam);
    return 0;
}

INT_PTR MessageMap::DispatchDialog(UINT message, WPARAM wParam, LPARAM lParam) const {
    const Entry* entry = entries_.Find(message);
    if (entry == nullptr) return FALSE;
    if (entry->resultHandler) {
        ResultHandler handler = entry->resultHandler;  // a handler may register further entries
        return handler(wParam, lParam);
    }
    entry->handler(wParam, lParam);
    return TRUE;
}

LRESULT ServeWindowMessage(const MessageMap& map, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::optional<LRESULT> result;
    if (!GuardCall([&] { result = map.DispatchWindow(message, wParam, lParam); })) return 0;
    return result ? *result : DefWindowProcW(hwnd, message, wParam, lParam);
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
