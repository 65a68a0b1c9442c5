#pragma once
#include <string>

#include "core/Dpi.h"
#include "core/Geometry.h"

namespace Vorlune {

// The zoom window's side and its distances from the cursor, at 96 DPI.
constexpr int kZoomSize = 300;
constexpr int kZoomNear = 50;
constexpr int kZoomFar = 350;
constexpr int kDefaultMagnification = 10;

// The zoom window follows the cursor 50 pixels right of and below it, jumps 350 to the
// left or above near the far edges, and stays there until the other edge comes near; all
// three lengths at the DPI of the monitor under the cursor.
class ZoomPlacement {
public:
    Rect Place(Point point, Size snapshot, int dpi = kBaseDpi);
    bool OnLeft() const { return onLeft_; }
    bool Above() const { return above_; }

private:
    bool onLeft_ = false;
    bool above_ = false;
};

// ZoomWindowMagnification as a factor: text that is no number, zero or a negative value
// gives the default; a factor too large for the window is capped so that every zoomed
// pixel stays at least one pixel wide.
int ParseMagnification(const std::wstring& text);
// The side of the source square enlarged to a zoom window of side zoomSide.
int ZoomSourceSide(int magnification, int zoomSide = kZoomSize);

}  // namespace Vorlune
