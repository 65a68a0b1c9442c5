#include "ui/Geometry.h"

namespace Vorlune {

namespace {
void Append(std::vector<RECT>& rects, const std::vector<Rect>& more) {
    for (const Rect& rect : more) rects.push_back(ToWin(rect));
}
}  // namespace

void AddClipped(std::vector<RECT>& rects, const RECT& rect, SIZE size) {
    std::vector<Rect> clipped;
    AddClipped(clipped, ToCore(rect), ToCore(size));
    Append(rects, clipped);
}

void AddFrameLines(std::vector<RECT>& rects, const RECT& frame, SIZE size, int width) {
    std::vector<Rect> lines;
    AddFrameLines(lines, ToCore(frame), ToCore(size), width);
    Append(rects, lines);
}

}  // namespace Vorlune
