#include "core/ZoomChanges.h"

#include <algorithm>

namespace Vorlune {

namespace {

bool WholeBlocks(const ZoomPicture& picture) {
    return picture.side > 0 && picture.side * picture.factor == picture.window.right - picture.window.left;
}

// The square with the frame's column and row past it.
Rect Covered(const ZoomPicture& picture) {
    return {picture.window.left, picture.window.top, picture.window.right + 1, picture.window.bottom + 1};
}

// The parts of a outside b.
void AddOutside(std::vector<Rect>& rects, const Rect& a, const Rect& b, Size image) {
    const Rect in = Intersect(a, b);
    if (!HasArea(in)) return AddClipped(rects, a, image);
    AddClipped(rects, {a.left, a.top, a.right, in.top}, image);
    AddClipped(rects, {a.left, in.bottom, a.right, a.bottom}, image);
    AddClipped(rects, {a.left, in.top, in.left, in.bottom}, image);
    AddClipped(rects, {in.right, in.top, a.right, in.bottom}, image);
}

// The square less what its frame covers.
Rect Inside(const ZoomPicture& picture) {
    const Rect& w = picture.window;
    const int frame = picture.frame;
    return Intersect({w.left + frame, w.top + frame, w.right + 1 - frame, w.bottom + 1 - frame}, w);
}

// Along one axis, for each block of now: the first and last block of before that show the part
// of it now's frame leaves free, or kNone where before does not show that part, or kFree where
// now's frame covers all of it.
constexpr int kNone = -1;
constexpr int kFree = -2;
struct Span {
    int first = kNone;
    int last = kNone;
};
std::vector<Span> Spans(int side, int factor, std::int32_t start, std::int32_t nowFrom, std::int32_t nowTo,
                        std::int32_t beforeStart, std::int32_t beforeFrom, std::int32_t beforeTo) {
    std::vector<Span> spans(side);
    for (int i = 0; i < side; ++i) {
        const std::int32_t from = std::max(start + i * factor, nowFrom);
        const std::int32_t to = std::min(start + (i + 1) * factor, nowTo);
        if (from >= to)
            spans[i] = {kFree, kFree};
        else if (from >= beforeFrom && to <= beforeTo)
            spans[i] = {(from - beforeStart) / factor, (to - 1 - beforeStart) / factor};
    }
    return spans;
}

// The blocks of now whose free part shows another colour in before, or none of before.
bool Differs(const ZoomPicture& before, const ZoomPicture& now, const Span& row, const Span& column, int y, int x) {
    if (row.first == kFree || column.first == kFree) return false;
    if (row.first == kNone || column.first == kNone) return true;
    const std::uint32_t colour = now.source[y * now.side + x];
    for (int by = row.first; by <= row.last; ++by)
        for (int bx = column.first; bx <= column.last; ++bx)
            if (before.source[by * before.side + bx] != colour) return true;
    return false;
}

}  // namespace

std::vector<Rect> ZoomChanges(const ZoomPicture& before, const ZoomPicture& now, Size image) {
    std::vector<Rect> changes;
    if (before.side > 0) AddOutside(changes, Covered(before), Covered(now), image);
    const Rect& w = now.window;
    AddFrameLines(changes, {w.left, w.top, w.right, w.bottom}, image, now.frame);
    if (!WholeBlocks(before) || !WholeBlocks(now) || before.factor != now.factor) {
        AddClipped(changes, w, image);
        return changes;
    }
    // Runs of blocks that differ, a run of rows with the same runs one rectangle each.
    const int f = now.factor;
    const Rect free = Inside(now), shown = Inside(before);
    const std::vector<Span> rows =
        Spans(now.side, f, w.top, free.top, free.bottom, before.window.top, shown.top, shown.bottom);
    const std::vector<Span> columns =
        Spans(now.side, f, w.left, free.left, free.right, before.window.left, shown.left, shown.right);
    std::vector<Rect> blocks;
    std::vector<Rect> runs;
    size_t open = 0;  // the rectangles the last row added
    for (int y = 0; y < now.side; ++y) {
        runs.clear();
        for (int x = 0; x < now.side; ++x) {
            if (!Differs(before, now, rows[y], columns[x], y, x)) continue;
            const std::int32_t left = w.left + x * f;
            if (!runs.empty() && runs.back().right == left)
                runs.back().right += f;
            else
                runs.push_back({left, w.top + y * f, left + f, w.top + (y + 1) * f});
        }
        const bool same = !runs.empty() && blocks.size() - open == runs.size() &&
                          std::equal(runs.begin(), runs.end(), blocks.begin() + open, [](const Rect& a, const Rect& b) {
                              return a.left == b.left && a.right == b.right && a.top == b.bottom;
                          });
        if (same) {
            for (size_t k = open; k < blocks.size(); ++k) blocks[k].bottom += f;
            continue;
        }
        open = blocks.size();
        blocks.insert(blocks.end(), runs.begin(), runs.end());
    }
    for (const Rect& block : blocks) AddClipped(changes, block, image);
    return changes;
}

}  // namespace Vorlune
