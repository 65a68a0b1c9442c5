#include "Capture/WindowPick.h"

#include <utility>
#include <vector>

#include "ui/Geometry.h"
#include "draw/CursorPainter.h"
#include "draw/MouseToolTip.h"
#include "draw/Primitives.h"
#include "ui/Dpi.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

WindowPickCapture::WindowPickCapture(HWND owner, std::wstring className, WindowScope scope, SettingKey toolTipSetting,
                                     const DwmQueries& dwm)
    : CaptureBase(owner, std::move(className)), windowList(dwm), scope_(scope), toolTipSetting_(toolTipSetting) {}

void WindowPickCapture::Prepare() {
    TakeSnapshot();
    if (CollectsAll())
        windowList.CollectAll();
    else
        windowList.CollectTopLevel();
}

void WindowPickCapture::Start() {
    marks_ = {GetAuxiliaryLineColor(), CursorOn(), Store().GetInt(SectionSettings, toolTipSetting_) == 1};
    OnMouseMove(CursorPoint());
    ShowOverlay();
}

void WindowPickCapture::OnMouseMove(POINT point) {
    lastPoint = point;
    Pick(point);
    Draw();
}

void WindowPickCapture::OnLButtonUp(POINT) { FinishPick(); }

bool WindowPickCapture::OnKeyDown(WPARAM key) {
    if (key != VK_RETURN) return NudgeCursor(key);
    FinishPick();
    return true;
}

void WindowPickCapture::OnCaptureEnded() {
    hitWindow = nullptr;
    highlight = {};
    dirty_.Forget();
    windowList.windows.clear();
    windowList.ReleaseImages();
}

bool WindowPickCapture::DropHold() {
    if (!CancelDrag()) return false;
    dirty_.Forget();  // the whole work surface is the frozen image again
    return true;
}

RECT WindowPickCapture::ClampToSnapshot(const RECT& rect) const { return ClampToSize(rect, snapshot->size); }

void WindowPickCapture::Draw() {
    HDC work = snapshot->workDC();
    const SIZE size = snapshot->size;
    dirty_.Restore(work, snapshot->frozenDC());
    std::vector<RECT> rects;
    if (const WindowImage* picture = Picture()) {
        picture->Paste(work, snapshot->Origin());
        AddClipped(rects, ToSnapshot(picture->Bounds(), snapshot->Origin()), size);
    }
    const POINT origin = snapshot->Origin();
    const int dpi = DpiAt({lastPoint.x + origin.x, lastPoint.y + origin.y});
    if (marks_.cursor) {
        DrawCursorMarker(work, lastPoint, marks_.colour, dpi);
        AddClipped(rects, CursorMarkerBounds(lastPoint, dpi), size);
    }
    DrawFrame(work, highlight, marks_.colour, LineWidth(dpi));
    AddFrameLines(rects, highlight, size, LineWidth(dpi));
    if (marks_.toolTip)
        AddClipped(rects,
                   DrawMouseToolTip(snapshot->workDC(), snapshot->bounds, lastPoint,
                                    BuildMouseToolTipText(hitWindow, highlight)),
                   size);
    dirty_.Replace(overlay.get(), std::move(rects));
}

void WindowPickCapture::FinishPick() {
    const RECT area = highlight;
    const std::wstring text = BuildMouseToolTipText(hitWindow, area);
    // Only the current pick's picture: the output surface holds the frozen screen until now.
    if (const WindowImage* picture = Picture()) picture->Paste(snapshot->outputDC(), snapshot->Origin());
    if (marks_.cursor) DrawCursorImage(snapshot->outputDC(), snapshot->Origin());
    HideKeepingActivation(overlay.get());
    // A file that could not be written leaves its image on the clipboard, not the text.
    const bool written = HasArea(area) && Finish(area);
    const bool textWanted = written && !Request().noClipboard;
    EndCapture();
    if (textWanted) CopyMouseToolTipText(owner, text);
}

}  // namespace Vorlune
