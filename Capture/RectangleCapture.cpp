#include "Capture/RectangleCapture.h"

#include "core/LastRegion.h"
#include "core/ZoomPlacement.h"
#include "draw/CursorPainter.h"
#include "draw/Primitives.h"
#include "settings/SettingsStore.h"
#include "ui/Dpi.h"
#include "ui/Geometry.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {
// Where the zoom window sits carries over from move to move and from capture to capture.
ZoomPlacement& SharedZoomPlacement() {
    static ZoomPlacement placement;
    return placement;
}
}  // namespace

void RectangleCapture::Prepare() {
    TakeSnapshot();
    Forget();
}

void RectangleCapture::Start() {
    // Read once a capture, not on every move (four reads of the file cost more than the
    // rest of a frame): nothing can change them while the overlay holds the screen.
    settings_.colour = GetAuxiliaryLineColor();
    settings_.cursorCircle = CursorOn();
    settings_.alwaysCrossHair = Store().GetInt(SectionSettings, KeyAlwaysAuxiliaryLine) == 1;
    settings_.magnification = ParseMagnification(Store().GetString(KeyZoomWindowMagnification));
    // Enter before any move anchors where the cursor is, not where the last capture left it.
    current = CursorPoint();
    ShowOverlay();
}

void RectangleCapture::OnLButtonDown(POINT point) {
    if (keyboardAnchor) return;
    dragging = true;
    anchor = point;
    current = point;
    Redraw(point);
}

void RectangleCapture::OnMouseMove(POINT point) {
    current = point;
    // Every change of state redraws at once, so a move to the point last drawn (the one an
    // arrow key causes, or the one sent when the overlay is shown) would draw the same frame.
    if (lastFrame_ && lastFrame_->point.x == point.x && lastFrame_->point.y == point.y) return;
    Draw(point);
}

void RectangleCapture::OnLButtonUp(POINT point) {
    if (dragging)
        FinishSelection(point);
    else
        Redraw(point);
}

void RectangleCapture::OnRButtonUp(POINT) { DropDrag(); }

bool RectangleCapture::OnKeyDown(WPARAM key) {
    switch (key) {
        case VK_ESCAPE: return DropDrag();
        case VK_RETURN:
            // Held down, Enter repeats: the selection it just started must not end at once.
            if (KeyIsRepeat()) return true;
            if (dragging) {
                FinishSelection(current);
                return true;
            }
            dragging = true;
            anchor = current;
            Redraw(current);
            keyboardAnchor = true;
            return false;
        default:
            if (!NudgeCursor(key)) return false;
            // The move message arrives only after keys already typed; Enter right after an
            // arrow must see the moved point.
            current = CursorPoint();
            Redraw(current);
            return true;
    }
}

void RectangleCapture::FinishSelection(POINT point) {
    // The cursor may have been pushed off the snapshot between messages.
    const RECT area = ClampToSize(AreaBetween(anchor, point), snapshot->size);
    if (CursorOn()) DrawCursorImage(snapshot->outputDC(), snapshot->Origin());
    HideKeepingActivation(overlay.get());
    if (HasArea(area)) {
        // For capturing it again, in virtual-screen pixels.
        const POINT origin = snapshot->Origin();
        const RECT onScreen = {area.left + origin.x, area.top + origin.y, area.right + origin.x,
                               area.bottom + origin.y};
        Store().SetText(kLastRegionSection, kLastRegionKey, FormatRegion(ToCore(onScreen)));
        Finish(area);
    }
    EndCapture();
}

bool RectangleCapture::DropDrag() {
    if (!CancelDrag()) return false;
    Forget();  // CancelDrag restored the whole work surface
    return true;
}

void RectangleCapture::Forget() {
    dirty_.Forget();
    painter_.ForgetZoom();
    lastFrame_.reset();
}

RectangleFrame RectangleCapture::ComposeFrame(POINT point) {
    RectangleFrame frame;
    frame.point = point;
    frame.selecting = dragging;
    frame.anchor = anchor;
    frame.crossHair = !dragging || settings_.alwaysCrossHair;
    frame.cursorCircle = settings_.cursorCircle;
    frame.colour = settings_.colour;
    frame.dpi = DpiAt({point.x + snapshot->Origin().x, point.y + snapshot->Origin().y});
    ComposeZoom(frame);
    return frame;
}

void RectangleCapture::Redraw(POINT point) {
    Draw(point);
    // A move already raised the overlay before it came here; everything else raises it now.
    ShowOverlay();
}

void RectangleCapture::Draw(POINT point) {
    if (snapshot == nullptr) return;
    const RectangleFrame frame = ComposeFrame(point);
    const SIZE size = snapshot->size;
    dirty_.Restore(snapshot->workDC(), snapshot->frozenDC());
    painter_.PaintMarks(snapshot->workDC(), size, frame);
    dirty_.Replace(overlay.get(), RectangleFrameRects(frame, size), painter_.TakeZoom(snapshot->workDC(), size, frame));
    lastFrame_ = frame;
}

std::vector<RECT> RectangleCapture::PaintOverWork(HDC paint) {
    // The zoom window goes onto the window alone: in the work surface its pixels would be
    // restored, drawn and copied out again on every move. A move invalidates only what changed
    // of it; the rest of the window shows it already.
    if (!lastFrame_ || !painter_.PaintZoom(paint, *lastFrame_)) return {};
    return ZoomWindowRects(*lastFrame_, snapshot->size);
}

void RectangleCaptureWithMagnifier::ComposeZoom(RectangleFrame& frame) {
    frame.magnification = Magnification();
    frame.zoom = ToWin(SharedZoomPlacement().Place(ToCore(frame.point), ToCore(snapshot->size), frame.dpi));
}

}  // namespace Vorlune
