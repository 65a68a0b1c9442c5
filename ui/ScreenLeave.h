#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/GdiOwners.h"

namespace Vorlune {

// Whether pixels read from the screen no longer show an image that stood in area of them:
// every 16 x 16 tile of the area that is not one flat colour differs somewhere. A flat tile
// cannot tell; the program below puts an exposed area back in one piece, so the others speak
// for it. Both are width pixels wide, row by row; area is within them.
bool ShowsNoLonger(const std::vector<std::uint32_t>& shown, const std::uint32_t* now, int width, const RECT& area);

// What leaves the screen, and the wait until it has: a window before the screen is frozen, or
// what covered a window raised to be pictured. None for windows that were not on the screen
// or that Windows leaves out of screen copies; else until the screen no longer shows what
// was noted, which under X is when the programs below have put their pixels back, and where
// the system composes the screen is at once after its next composition (the caller's flush).
class ScreenLeave {
public:
    // Keeps what window shows now; before it is hidden.
    void Note(HWND window);
    // Keeps what the screen shows in each area within screen now, read at once; before what
    // stands there leaves.
    void NoteAreas(const std::vector<RECT>& areas, const RECT& screen);
    // Returns once nothing noted shows, or after limitMilliseconds.
    void Await(DWORD limitMilliseconds);

private:
    // One read of the screen: the frame around the areas, in a surface kept for every later read.
    struct Shown {
        RECT frame;
        std::vector<RECT> areas;  // in the frame's coordinates
        MemorySurface copy;
        const std::uint32_t* bits;
        std::vector<std::uint32_t> pixels;
        bool Gone() const;
    };
    std::vector<Shown> shown_;
};

}  // namespace Vorlune
