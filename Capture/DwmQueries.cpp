#include "Capture/DwmQueries.h"

#include <dwmapi.h>

namespace Vorlune {

namespace {

class SystemDwmQueries final : public DwmQueries {
public:
    bool NonClientRendering(HWND window) const override {
        BOOL enabled = FALSE;
        DwmGetWindowAttribute(window, DWMWA_NCRENDERING_ENABLED, &enabled, sizeof enabled);
        return enabled != FALSE;
    }
    RECT ExtendedFrameBounds(HWND window) const override {
        RECT bounds = {};
        if (FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof bounds))) bounds = {};
        return bounds;
    }
    bool Cloaked(HWND window) const override {
        DWORD cloaked = 0;
        DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked);
        return cloaked != 0;
    }
    void Flush() const override {
        BOOL composing = FALSE;
        if (SUCCEEDED(DwmIsCompositionEnabled(&composing)) && composing) DwmFlush();
    }
};

}  // namespace

const DwmQueries& SystemDwm() {
    static const SystemDwmQueries queries;
    return queries;
}

}  // namespace Vorlune
