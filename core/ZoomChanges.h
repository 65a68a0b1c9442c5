#pragma once
#include <cstdint>
#include <vector>

#include "core/Geometry.h"

namespace Vorlune {

// A zoom window as it is drawn: its source square enlarged factor times into window, then its
// frame, frame pixels wide, drawn over the square's edges and the column and row past them.
struct ZoomPicture {
    Rect window;
    int factor = 0;
    int frame = 0;
    // Pixels a row and a column of the source square, and the square itself, top row first.
    int side = 0;
    std::vector<std::uint32_t> source;
};

// Where now must be drawn on an image that shows before, clipped to the image: what before
// covered and now does not, now's frame, and now's square wherever it differs from what is
// shown. A square of whole blocks (side times factor wide) is compared block by block, one
// block a source pixel; any other square, or one after a picture of another factor, is drawn
// whole. A before of side 0 shows nothing.
std::vector<Rect> ZoomChanges(const ZoomPicture& before, const ZoomPicture& now, Size image);

}  // namespace Vorlune
