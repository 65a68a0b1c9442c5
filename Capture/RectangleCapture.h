#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "Capture/CaptureBase.h"
#include "Capture/DirtyRegion.h"
#include "Capture/RectangleFrame.h"

namespace Vorlune {

// Picks any axis-aligned rectangle of the frozen screen: press, drag and release, or
// Enter, arrow keys and Enter. The overlay shows a cross-hair, the selection's frame and,
// with the cursor toggle on, a circle round the cursor. Both corners are inside the output.
class RectangleCapture : public CaptureBase {
public:
    explicit RectangleCapture(HWND owner) : RectangleCapture(owner, L"RectangleCapture") {}

protected:
    RectangleCapture(HWND owner, std::wstring className) : CaptureBase(owner, std::move(className)) {}

    void Prepare() override;
    void Start() override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnRButtonUp(POINT point) override;
    void OnMouseMove(POINT point) override;
    bool OnKeyDown(WPARAM key) override;
    std::vector<RECT> PaintOverWork(HDC paint) override;

    // The zoom window's part of a frame; none here.
    virtual void ComposeZoom(RectangleFrame&) {}
    int Magnification() const { return settings_.magnification; }

    // The fixed corner of the selection, and the last mouse point.
    POINT anchor = {};
    POINT current = {};

private:
    void FinishSelection(POINT point);
    // Nothing drawn is shown any more: the next frame is drawn whole.
    void Forget();
    // One frame: marks drawn and their rectangles invalidated; Redraw also raises the overlay.
    void Draw(POINT point);
    void Redraw(POINT point);
    RectangleFrame ComposeFrame(POINT point);
    bool DropDrag();

    // The settings the marks are drawn with, as this capture started.
    struct MarkSettings {
        COLORREF colour = 0;
        bool cursorCircle = false;
        bool alwaysCrossHair = false;
        int magnification = 0;
    };
    MarkSettings settings_;
    RectangleFramePainter painter_;
    DirtyRegion dirty_;
    std::optional<RectangleFrame> lastFrame_;
};

// The same with a 300 x 300 zoom window beside the cursor, enlarging the square under it
// by the ZoomWindowMagnification setting.
class RectangleCaptureWithMagnifier final : public RectangleCapture {
public:
    explicit RectangleCaptureWithMagnifier(HWND owner) : RectangleCapture(owner, L"RectangleCaptureWithMagnifier") {}

protected:
    void ComposeZoom(RectangleFrame& frame) override;
};

}  // namespace Vorlune
