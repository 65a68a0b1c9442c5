#pragma once
#include <windows.h>

#include <utility>

#include "ui/Dpi.h"

namespace Vorlune::Test {

// Monitors of the test's own DPI in place of Wine's one DPI for all, while it lives.
class MonitorDpiGuard {
public:
    explicit MonitorDpiGuard(MonitorDpiSource source) : old_(ReplaceMonitorDpiSource(std::move(source))) {}
    ~MonitorDpiGuard() { ReplaceMonitorDpiSource(std::move(old_)); }
    MonitorDpiGuard(const MonitorDpiGuard&) = delete;
    MonitorDpiGuard& operator=(const MonitorDpiGuard&) = delete;

private:
    MonitorDpiSource old_;
};

// The left of two monitors at 96 DPI, the right one at 144.
inline int LeftAt96RightAt144(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcMonitor.left < 0 ? 96 : 144;
}

}  // namespace Vorlune::Test
