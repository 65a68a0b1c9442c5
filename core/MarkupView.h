#pragma once
#include "core/Geometry.h"

// How the mark-up window shows its image: the zoom in percent and the scroll offset, the
// client position of the zoomed image's top-left corner negated.
namespace Vorlune {

inline constexpr int kZoomSteps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400, 600, 800};
constexpr int kMinZoom = 25;
constexpr int kMaxZoom = 800;

// From a zoom off the table, the next step in that direction.
int ZoomIn(int percent);
int ZoomOut(int percent);
// 100 when the image fits the room, else the largest whole percent that fits, but at least 25.
int FitZoom(Size image, Size room);

// The zoomed image's extent; a partly covered client pixel counts.
Size ZoomedSize(Size image, int percent);
// The client pixel where an image pixel's top-left corner lands, and the image pixel under a
// client pixel.
Point ToClient(Point image, int percent, Point scroll);
Point ToImage(Point client, int percent, Point scroll);
// The scroll that keeps an image point at a client point, so that zooming leaves the spot under
// the cursor where it was.
Point ScrollToKeep(Point image, Point client, int percent);
// Axis by axis: within the content where it is larger than the client, centred where smaller.
Point ClampScroll(Point scroll, Size content, Size client);

}  // namespace Vorlune
