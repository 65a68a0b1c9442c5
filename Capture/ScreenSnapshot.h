#pragma once
#include <windows.h>

#include "draw/GdiObjectCache.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

namespace Vorlune {

// Every copy to, from or between the snapshot's surfaces.
constexpr DWORD kSnapshotCopy = SRCCOPY | CAPTUREBLT;

// A frozen copy of a screen rectangle in three memory DCs: the two the overlay shows from in
// the screen's 32-bit layout, the one images are made from in 24 bits. Coordinates inside the
// DCs are snapshot coordinates: (0, 0) is the top-left corner of bounds.
class ScreenSnapshot {
public:
    // The whole virtual screen.
    ScreenSnapshot();
    // Any rectangle of the screen, in screen coordinates.
    explicit ScreenSnapshot(const RECT& screenRect);
    ScreenSnapshot(const ScreenSnapshot&) = delete;
    ScreenSnapshot& operator=(const ScreenSnapshot&) = delete;

    // Starts a frame: workDC becomes the untouched image again.
    void ResetWork() const;
    // The screen point at (0, 0) of the DCs.
    POINT Origin() const { return TopLeft(bounds); }

    GdiObjectCache* gdi;
    RECT bounds;
    SIZE size;
    // The untouched image; nothing is ever drawn into it.
    HDC frozenDC() const { return surfaces_[kFrozen].dc(); }
    // What the overlay paints: the frozen image plus the marks of the current frame.
    HDC workDC() const { return surfaces_[kWork].dc(); }
    // What the output step copies from.
    HDC outputDC() const { return surfaces_[kOutput].dc(); }

private:
    enum { kFrozen, kWork, kOutput, kCount };
    MemorySurface surfaces_[kCount];
};

}  // namespace Vorlune
