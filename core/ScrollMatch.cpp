#include "core/ScrollMatch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace Vorlune {

namespace {

using Hashes = std::vector<std::uint64_t>;

// Rows that match where the shift fits must show enough that occurs rarely in the page, so that
// a match of blank lines alone proves nothing.
constexpr int kMinTellingRows = 3;
constexpr int kRareCount = 2;

// Rows that may differ where a shift fits: something animated in the page.
int AllowedDifferences(int overlap) { return std::max(8, overlap / 10); }

std::uint64_t HashRow(const std::uint32_t* pixels, int count) {
    constexpr std::uint64_t kPrime = 0x100000001B3ull;
    // Four lanes, so that the multiplications need not wait for each other.
    std::uint64_t lanes[4] = {0xCBF29CE484222325ull, 0x84222325CBF29CE4ull, 0x9E3779B97F4A7C15ull,
                              0x7F4A7C159E3779B9ull};
    int x = 0;
    for (; x + 4 <= count; x += 4)
        for (int lane = 0; lane < 4; ++lane) lanes[lane] = (lanes[lane] ^ pixels[x + lane]) * kPrime;
    for (; x < count; ++x) lanes[0] = (lanes[0] ^ pixels[x]) * kPrime;
    return ((lanes[0] * kPrime ^ lanes[1]) * kPrime ^ lanes[2]) * kPrime ^ lanes[3];
}

Hashes HashRows(const ScrollFrame& frame, int left, int right) {
    Hashes hashes(frame.height);
    for (int y = 0; y < frame.height; ++y) hashes[y] = HashRow(frame.Row(y) + left, right - left);
    return hashes;
}

int LeadingEqual(const Hashes& a, const Hashes& b) {
    int rows = 0;
    while (rows < static_cast<int>(a.size()) && a[rows] == b[rows]) ++rows;
    return rows;
}

int TrailingEqual(const Hashes& a, const Hashes& b) {
    int rows = 0;
    for (int y = static_cast<int>(a.size()) - 1; y >= 0 && a[y] == b[y]; --y) ++rows;
    return rows;
}

struct Shift {
    ScrollMatchKind kind = ScrollMatchKind::NoMatch;
    int rows = 0;
};

// The rows of a frame that move: [top, bottom), of which last's rows from fresh on came into
// view at the last step and may not have been painted in full when grabbed.
struct Body {
    int top = 0;
    int bottom = 0;
    int fresh = 0;
};

// The shift of the body's rows from last to next that fits, if exactly one does. Fresh rows
// that differ count for nothing; those that agree show the shift all the same.
Shift FindShift(const Hashes& last, const Hashes& next, const Body& body) {
    const int settled = body.fresh - body.top;
    if (settled < kMinScrollOverlap) return {};
    std::unordered_map<std::uint64_t, int> counts;
    for (int y = body.top; y < body.bottom; ++y) ++counts[last[y]];
    std::vector<char> rare(last.size());
    for (int y = body.top; y < body.bottom; ++y) rare[y] = counts[last[y]] <= kRareCount;
    std::vector<int> fits;
    for (int shift = 0; shift <= settled - kMinScrollOverlap; ++shift) {
        const int allowed = AllowedDifferences(settled - shift);
        int differing = 0;
        int telling = 0;
        for (int y = body.top; y < body.bottom - shift && differing <= allowed; ++y) {
            if (next[y] == last[y + shift])
                telling += rare[y + shift];
            else if (y + shift < body.fresh)
                ++differing;
        }
        if (differing <= allowed && (shift == 0 || telling >= kMinTellingRows)) fits.push_back(shift);
    }
    if (fits.empty()) return {};
    if (fits.size() > 1) return {ScrollMatchKind::Ambiguous, 0};
    return {fits[0] == 0 ? ScrollMatchKind::Unmoved : ScrollMatchKind::Moved, fits[0]};
}

// The columns at either side of band that do not move with the content: rows [top, bottom) of
// next compared with last's shift rows further down. A column moves when it differs only in rows
// where the band that showed the shift differs too (something animated in the page).
void FindFixedColumns(const ScrollFrame& last, const ScrollFrame& next, int shift, const FixedEdges& band,
                      FixedEdges& edges) {
    const int top = edges.top;
    const int bottom = last.height - edges.bottom - shift;
    const std::size_t bandBytes = sizeof(std::uint32_t) * (last.width - band.left - band.right);
    std::vector<char> moves(last.width, 1);
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* now = next.Row(y);
        const std::uint32_t* before = last.Row(y + shift);
        if (std::memcmp(now + band.left, before + band.left, bandBytes) != 0) continue;
        for (int x = 0; x < last.width; ++x)
            if (now[x] != before[x]) moves[x] = 0;
    }
    // Outside the band only, out to the area's edge: a scroll bar within a frame's border, whose
    // plain columns agree at any shift, is a side column all the same.
    for (int x = 0; x < band.left; ++x)
        if (!moves[x]) edges.left = x + 1;
    for (int x = last.width - band.right; x < last.width && edges.right == 0; ++x)
        if (!moves[x]) edges.right = last.width - x;
}

// The settled overlap pixel by pixel, which the hashes only stand for.
bool PixelsAgree(const ScrollFrame& last, const ScrollFrame& next, const FixedEdges& edges, const Body& body,
                 int shift) {
    const std::size_t bytes = sizeof(std::uint32_t) * (last.width - edges.left - edges.right);
    int differing = 0;
    for (int y = body.top; y < body.fresh - shift; ++y)
        differing += std::memcmp(next.Row(y) + edges.left, last.Row(y + shift) + edges.left, bytes) != 0;
    return differing <= AllowedDifferences(body.fresh - shift - body.top);
}

ScrollMatch MatchWithin(const ScrollFrame& last, const ScrollFrame& next, FixedEdges edges, bool findRows,
                        int freshRows) {
    const Hashes before = HashRows(last, edges.left, last.width - edges.right);
    const Hashes now = HashRows(next, edges.left, next.width - edges.right);
    if (findRows) {
        edges.top = LeadingEqual(before, now);
        if (edges.top == last.height) return {ScrollMatchKind::Unmoved, 0, edges};
        edges.bottom = TrailingEqual(before, now);
    }
    const int bottom = last.height - edges.bottom;
    // Fresh rows are let differ only where enough settled ones remain to match on.
    Body body{edges.top, bottom, std::max(edges.top, bottom - freshRows)};
    if (body.fresh - body.top < kMinScrollOverlap) body.fresh = bottom;
    Shift shift = FindShift(before, now, body);
    if (shift.kind != ScrollMatchKind::Moved && shift.kind != ScrollMatchKind::Unmoved && body.fresh < bottom) {
        body.fresh = bottom;
        shift = FindShift(before, now, body);
    }
    if (shift.kind == ScrollMatchKind::Moved && !PixelsAgree(last, next, edges, body, shift.rows)) return {};
    return {shift.kind, shift.rows, edges};
}

}  // namespace

ScrollMatch MatchScroll(const ScrollFrame& last, const ScrollFrame& next, const std::optional<FixedEdges>& known,
                        int freshRows) {
    if (last.width != next.width || last.height != next.height || last.width == 0 || last.height == 0) return {};
    if (known) return MatchWithin(last, next, *known, false, freshRows);
    // First by a band of columns that leaves out where side columns stand: a scroll bar at the
    // right, then a panel at the left too. Then the fixed columns are known, and the match is
    // made again over all that moves.
    const int bar = last.width / 16;
    const int third = last.width / 3;
    const FixedEdges bands[] = {{0, 0, 0, bar}, {0, 0, third, bar}, {0, 0, third, third}};
    ScrollMatch first;
    for (const FixedEdges& band : bands) {
        first = MatchWithin(last, next, band, true, 0);
        if (first.kind == ScrollMatchKind::Moved || (first.kind == ScrollMatchKind::Unmoved && band == bands[0])) break;
    }
    if (first.kind != ScrollMatchKind::Moved) return {first.kind, 0, {}};
    FixedEdges edges{first.edges.top, first.edges.bottom, 0, 0};
    FindFixedColumns(last, next, first.shift, first.edges, edges);
    const ScrollMatch whole = MatchWithin(last, next, edges, true, 0);
    return whole.kind == ScrollMatchKind::Moved ? whole : ScrollMatch{whole.kind, 0, {}};
}

}  // namespace Vorlune
