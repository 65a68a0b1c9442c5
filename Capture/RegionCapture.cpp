#include "Capture/RegionCapture.h"

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "Capture/Dib.h"
#include "Capture/ScreenSnapshot.h"
#include "draw/CursorPainter.h"
#include "ui/GdiOwners.h"
#include "ui/Geometry.h"

namespace Vorlune {

CaptureResult CaptureScreenArea(const RECT& area, HWND owner, const CaptureRequest& request) {
    const SIZE size = SizeOf(area);
    const MemorySurface frozen(CreateDib24(size.cx, size.cy));
    if (!frozen) throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, GetLastError());
    BitBlt(frozen.dc(), 0, 0, size.cx, size.cy, ScreenDC().get(), area.left, area.top, kSnapshotCopy);
    if (request.cursor.value_or(CursorCaptureOn())) DrawCursorImage(frozen.dc(), TopLeft(area));
    ImageFileNamer namer;
    CaptureResult result = FinishCapture(namer, frozen.dc(), owner, {0, 0}, size, request);
    result.screenPlace = TopLeft(area);
    return result;
}

}  // namespace Vorlune
