#include "core/ScrollFrame.h"

namespace Vorlune {

ScrollFrame Transposed(const ScrollFrame& frame) {
    ScrollFrame turned{frame.height, frame.width, std::vector<std::uint32_t>(frame.pixels.size())};
    for (int y = 0; y < frame.height; ++y) {
        const std::uint32_t* row = frame.Row(y);
        for (int x = 0; x < frame.width; ++x) turned.Row(x)[y] = row[x];
    }
    return turned;
}

}  // namespace Vorlune
