#pragma once
#include <optional>

#include "core/ScrollFrame.h"

namespace Vorlune {

// The rows and columns at the area's edges that stay put while its content moves: a header, a
// footer, a scroll bar, a side panel.
struct FixedEdges {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
    bool operator==(const FixedEdges&) const = default;
};

// At least this many rows of the moving part must be seen in both frames of a step.
constexpr int kMinScrollOverlap = 64;

enum class ScrollMatchKind {
    Moved,  // by shift rows, and by no other shift
    Unmoved,  // the content stands where it stood
    NoMatch,  // nothing in common, or too little
    Ambiguous,  // more than one shift fits (a repeating pattern, too little to tell by)
};

struct ScrollMatch {
    ScrollMatchKind kind = ScrollMatchKind::NoMatch;
    int shift = 0;  // next's row y shows last's row y + shift
    FixedEdges edges;
};

// How the content moved from last to next, two grabs of the same area. The fixed edges are
// found from the two frames unless known from an earlier step. A few rows that differ where
// the shift fits (something animated in the page) do not break the match; a shift that cannot
// be told with certainty is never guessed. freshRows: the rows at the bottom of last's moving
// part that came into view at the step before, which may still have been painting then; with
// known edges they may differ while enough other rows overlap.
ScrollMatch MatchScroll(const ScrollFrame& last, const ScrollFrame& next, const std::optional<FixedEdges>& known,
                        int freshRows = 0);

}  // namespace Vorlune
