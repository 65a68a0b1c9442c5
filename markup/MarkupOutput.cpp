#include "markup/MarkupOutput.h"

#include "Capture/CaptureOutput.h"
#include "ui/Geometry.h"

namespace Vorlune {

bool OutputMarkedUp(ImageFileNamer& namer, HDC composed, HWND owner, const Rect& area) {
    return FinishCapture(namer, composed, owner, ToWin(TopLeft(area)), ToWin(SizeOf(area))).outcome ==
           CaptureOutcome::Written;
}

void CopyMarkedUp(HDC composed, HWND owner, const Rect& area) {
    const CapturedImage image = CaptureArea(composed, ToWin(TopLeft(area)), ToWin(SizeOf(area)));
    CopyImageOrTell(OutputTeller(owner), image, EncodeImageFile(image, ImageFormatPng).Png());
}

}  // namespace Vorlune
