#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <set>

#include "Capture/DwmQueries.h"

namespace Vorlune::Test {

// Composition as on a desktop with DWM: the windows in frames have their non-client area
// rendered at those bounds; onQuery runs before every answer about a frame.
struct FakeDwm : DwmQueries {
    std::map<HWND, RECT> frames;
    std::set<HWND> cloaked;
    std::function<void(HWND)> onQuery;

    bool NonClientRendering(HWND window) const override {
        if (onQuery) onQuery(window);
        return frames.count(window) != 0;
    }
    RECT ExtendedFrameBounds(HWND window) const override { return frames.at(window); }
    bool Cloaked(HWND window) const override { return cloaked.count(window) != 0; }
    void Flush() const override {}
};

}  // namespace Vorlune::Test
