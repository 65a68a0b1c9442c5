#pragma once
#include <windows.h>

#include "core/Geometry.h"
#include "core/Marks.h"

namespace Vorlune {

// How the mark-up window shows its image under the strip: the zoom, the scroll, image pixels
// as client points and back, and the painting of the image and of what lies on it.
class ImageView {
public:
    int Zoom() const { return zoom_; }
    Point Scroll() const { return scroll_; }
    // The zoom and the scroll, kept within what a view of viewSize shows of an image of imageSize.
    void Set(int zoom, Point scroll, Size imageSize, Size viewSize);
    // The strip's height: the view begins under it.
    void SetTop(int top) { top_ = top; }
    int Top() const { return top_; }

    // A client point in the view, and the image pixel under it.
    Point ViewPoint(POINT client) const { return {client.x, client.y - top_}; }
    Point ImagePoint(POINT client) const;
    // Where the top-left corner of an image pixel is in the client, and where an image area is.
    POINT ClientPoint(Point image) const;
    RECT ClientRect(const Rect& image) const;
    // The handles' side in image pixels: about as large on the screen at every zoom.
    int HandleSize() const;

    // The shown area of composed under the update, and the backdrop around it, never the strip.
    void PaintImage(HDC paint, const RECT& update, HDC composed, const Rect& shown) const;
    void PaintHandles(HDC paint, const Mark& mark) const;
    // Inverted, so that they show on any picture.
    void PaintFrame(HDC paint, const Rect& image) const;
    void PaintCaret(HDC paint, const Rect& caret) const;

private:
    int zoom_ = 100;
    Point scroll_{};
    int top_ = 0;
};

}  // namespace Vorlune
