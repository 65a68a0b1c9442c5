#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <optional>

#include "core/MessageTable.h"

namespace Vorlune {

using MessageHandler = std::function<void(WPARAM, LPARAM)>;
using ResultHandler = std::function<INT_PTR(WPARAM, LPARAM)>;

// Whether a window's handler still runs while the program is ending after an error (IsEnding).
enum class WhileEnding { Skipped, Runs };

// One per window or dialog class; handlers are bound to the object that serves the class.
class MessageMap {
public:
    // One handler per message, of either kind: a second one throws std::logic_error.
    void AddHandler(UINT message, MessageHandler handler);
    // Its value is the message's result. A dialog's handlers always run; a window's runs while
    // the program is ending only when the end itself needs it.
    void AddResultHandler(UINT message, ResultHandler handler, WhileEnding whileEnding = WhileEnding::Skipped);

    template <class T>
    void AddHandler(UINT message, T* object, void (T::*member)(WPARAM, LPARAM)) {
        AddHandler(message, [object, member](WPARAM w, LPARAM l) { (object->*member)(w, l); });
    }
    template <class T>
    void AddHandler(UINT message, T* object, void (T::*member)(WPARAM)) {
        AddHandler(message, [object, member](WPARAM w, LPARAM) { (object->*member)(w); });
    }
    template <class T>
    void AddHandler(UINT message, T* object, void (T::*member)()) {
        AddHandler(message, [object, member](WPARAM, LPARAM) { (object->*member)(); });
    }
    template <class T>
    void AddResultHandler(UINT message, T* object, INT_PTR (T::*member)(WPARAM, LPARAM)) {
        AddResultHandler(message, [object, member](WPARAM w, LPARAM l) { return (object->*member)(w, l); });
    }

    // A window's message: what its handler answers (0 from one without a result), nothing when
    // no handler ran.
    std::optional<LRESULT> DispatchWindow(UINT message, WPARAM wParam, LPARAM lParam) const;
    INT_PTR DispatchDialog(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Forgets every registration, so an object that goes away leaves no handler bound to it.
    void Clear() { entries_.Clear(); }
    bool Empty() const { return entries_.Empty(); }

private:
    struct Entry {
        MessageHandler handler;  // one of the two
        ResultHandler resultHandler;
        WhileEnding whileEnding = WhileEnding::Skipped;
    };
    MessageTable<Entry> entries_;
};

// The shared body of every window procedure: the message goes through the map, then to
// DefWindowProcW. Exceptions are parked, never thrown into Windows.
LRESULT ServeWindowMessage(const MessageMap& map, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The object one of a class's many windows serves: handed over as its creation's parameter and
// kept in its user data. Null before that, and once the object has cleared it.
template <class T>
T* ServedObject(HWND hwnd, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// For the destructor of the object a window serves: the window's last messages go to the default
// procedure, never to an object that is going away.
inline void StopServing(HWND hwnd, MessageMap& map) {
    if (hwnd != nullptr) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    map.Clear();
}

// The shared body of every dialog procedure; the dialog handle is kept in the class's slot.
// A dialog runs its own modal loop, so an exception is handed to onError at once instead of
// being parked for the main loop, and handlers keep running while the program is ending.
INT_PTR ServeDialogMessage(const MessageMap& map, HWND& slot, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           void (*onError)(const std::exception&));

// Each window class has a message map of its own, named by a tag type.
template <class Tag>
MessageMap& ClassMessageMap() {
    static MessageMap map;
    return map;
}

// The window procedure of the class named by Tag, served by that class's map. Such a class
// paints its whole client area itself: WM_ERASEBKGND answers 1, also while the program is ending.
template <class Tag>
LRESULT CALLBACK ClassWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    return ServeWindowMessage(ClassMessageMap<Tag>(), hwnd, message, wParam, lParam);
}

}  // namespace Vorlune
