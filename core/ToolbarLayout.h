#pragma once
#include "core/Geometry.h"

namespace Vorlune {

constexpr int kCommandCount = 5;

// Where everything of the toolbar lies at one DPI, in its client coordinates: each place is
// given at 96 DPI and scaled edge by edge, so a click lands on the same button at every scale.
struct TitleBarLayout {
    Rect bar;
    // Where a press drags the toolbar: right of the icon.
    Rect caption;
    Rect text;
    Rect system;
    Rect close;
    Rect minimise;
    Rect cursorToggle;
    // Left of the cursor toggle, in the title's free room.
    Rect markUpToggle;
};

struct ClientAreaLayout {
    Rect area;
    // The band under the command buttons, from the window's inner left edge.
    Rect band;
    Rect commands[kCommandCount];
    Rect toggles[kCommandCount];
};

struct ToolbarLayout {
    int dpi = 96;
    Size window;
    int lineWidth = 1;
    TitleBarLayout titleBar;
    ClientAreaLayout clientArea;
};

ToolbarLayout LayOutToolbar(int dpi);

// A picture of size at 96 DPI, centred in box at dpi; the odd pixel goes below.
Rect CentredPicture(const Rect& box, Size size, int dpi);

}  // namespace Vorlune
