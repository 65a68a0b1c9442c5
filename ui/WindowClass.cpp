#include "ui/WindowClass.h"

namespace Vorlune {

void RegisterPlainWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

}  // namespace Vorlune
