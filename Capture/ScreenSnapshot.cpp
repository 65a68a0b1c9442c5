#include "Capture/ScreenSnapshot.h"

#include "Capture/Dib.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

ScreenSnapshot::ScreenSnapshot() : ScreenSnapshot(VirtualScreenRect()) {}

ScreenSnapshot::ScreenSnapshot(const RECT& screenRect)
    : gdi(&GdiCache()),
      bounds(screenRect),
      size{screenRect.right - screenRect.left, screenRect.bottom - screenRect.top} {
    // A third more memory for two of the three, against a conversion of every pixel the overlay
    // restores or shows.
    surfaces_[kFrozen] = MemorySurface(CreateDib32(size.cx, size.cy));
    surfaces_[kWork] = MemorySurface(CreateDib32(size.cx, size.cy));
    surfaces_[kOutput] = MemorySurface(CreateDib24(size.cx, size.cy));
    BitBlt(frozenDC(), 0, 0, size.cx, size.cy, ScreenDC().get(), bounds.left, bounds.top, kSnapshotCopy);
    BitBlt(workDC(), 0, 0, size.cx, size.cy, frozenDC(), 0, 0, kSnapshotCopy);
    BitBlt(outputDC(), 0, 0, size.cx, size.cy, frozenDC(), 0, 0, kSnapshotCopy);
}

void ScreenSnapshot::ResetWork() const { BitBlt(workDC(), 0, 0, size.cx, size.cy, frozenDC(), 0, 0, kSnapshotCopy); }

}  // namespace Vorlune
