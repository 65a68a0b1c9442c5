#include "ui/Dpi.h"

#include <shellscalingapi.h>

#include "core/Dpi.h"

namespace Vorlune {

namespace {
MonitorDpiSource& Source() {
    static MonitorDpiSource source;
    return source;
}

int SystemDpiOf(HMONITOR monitor) {
    UINT x = 0;
    UINT y = 0;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))) return kBaseDpi;
    return static_cast<int>(x);
}

// Looked up by name: systems before Windows 10 lack the call, and the program must start there.
using SetContext = BOOL WINAPI(DPI_AWARENESS_CONTEXT);
SetContext* SetContextCall() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<SetContext*>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
}
}  // namespace

MonitorDpiSource ReplaceMonitorDpiSource(MonitorDpiSource source) {
    MonitorDpiSource old = std::move(Source());
    Source() = std::move(source);
    return old;
}

int DpiOfMonitor(HMONITOR monitor) { return SaneDpi(Source() ? Source()(monitor) : SystemDpiOf(monitor)); }

int DpiAt(POINT screenPoint) { return DpiOfMonitor(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST)); }

int DpiOfRect(const RECT& screenRect) { return DpiOfMonitor(MonitorFromRect(&screenRect, MONITOR_DEFAULTTONEAREST)); }

int DpiOfWindow(HWND hwnd) { return DpiOfMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)); }

void DeclareDpiAwareness() {
    // Access denied: the manifest, or an earlier call, set a level already; it stays.
    if (SetContext* setContext = SetContextCall()) {
        for (DPI_AWARENESS_CONTEXT level :
             {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE}) {
            if (setContext(level) || GetLastError() == ERROR_ACCESS_DENIED) return;
        }
    }
    for (PROCESS_DPI_AWARENESS level : {PROCESS_PER_MONITOR_DPI_AWARE, PROCESS_SYSTEM_DPI_AWARE}) {
        const HRESULT result = SetProcessDpiAwareness(level);
        if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
    }
}

}  // namespace Vorlune
