#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <unordered_map>

namespace Vorlune {

using MessageHandler = std::function<void(WPARAM, LPARAM)>;
using ResultHandler = std::function<INT_PTR(WPARAM, LPARAM)>;

// One per window or dialog class; handlers are bound to the object that serves the class.
class MessageMap {
public:
    // The first registration for a message wins; later ones are discarded.
    void AddHandler(UINT message, MessageHandler handler);
    void AddResultHandler(UINT message, ResultHandler handler);

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

    // True when no handler ran.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam) const;
    INT_PTR DispatchDialog(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Forgets every registration, so an object that goes away leaves no handler bound to it.
    void Clear();
    bool Empty() const { return handlers_.empty() && resultHandlers_.empty(); }

private:
    std::unordered_map<UINT, MessageHandler> handlers_;
    std::unordered_map<UINT, ResultHandler> resultHandlers_;
};

// The shared body of every window procedure: WM_ERASEBKGND answers 1, the rest goes
// through the map, then to DefWindowProcW. Exceptions are parked, never thrown into Windows.
LRESULT ServeWindowMessage(const MessageMap& map, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The shared body of every dialog procedure; the dialog handle is kept in the class's slot.
// A dialog runs its own modal loop, so an exception is handed to onError at once instead of
// being parked for the main loop, and handlers keep running while the program is ending.
INT_PTR ServeDialogMessage(const MessageMap& map, HWND& slot, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                           void (*onError)(const std::exception&));

using WindowServer = LRESULT (*)(const MessageMap&, HWND, UINT, WPARAM, LPARAM);

// Each window class has a message map of its own, named by a tag type.
template <class Tag>
MessageMap& ClassMessageMap() {
    static MessageMap map;
    return map;
}

// The window procedure of the class named by Tag: Serve applied to that class's map.
template <class Tag, WindowServer Serve = ServeWindowMessage>
LRESULT CALLBACK ClassWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Serve(ClassMessageMap<Tag>(), hwnd, message, wParam, lParam);
}

}  // namespace Vorlune
