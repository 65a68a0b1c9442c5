#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "Capture/CapturedImage.h"
#include "Capture/ImageFileNamer.h"
#include "core/MarkupEditor.h"
#include "markup/GdiPlusSession.h"
#include "markup/ImageView.h"
#include "markup/MarkRenderer.h"
#include "markup/MarkupCanvas.h"
#include "markup/TextInput.h"
#include "markup/ToolStrip.h"
#include "ui/GdiOwners.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// The mark-up window: a picked image shown on the monitor it was picked on, at 100 % where it
// fits the work area, marked up and then output, copied or dropped. One window at a time; the
// object stays for the next pick, the window and the image go when it closes.
class MarkupWindow {
public:
    static constexpr const wchar_t* kClassName = L"MarkUpWindow";

    MarkupWindow();
    ~MarkupWindow();
    MarkupWindow(const MarkupWindow&) = delete;
    MarkupWindow& operator=(const MarkupWindow&) = delete;

    // Shows image in front; done runs once, after the window has closed. Throws AnExceptionImpl
    // or CaptureException when the window cannot be made, and then keeps nothing of the pick.
    void Open(const CapturedImage& image, const RECT& screenArea, std::function<void()> done);
    // What F does with the marked-up image: pins it with its top-left pixel at a screen point.
    using PinImage = std::function<void(CapturedImage image, POINT topLeft)>;
    void SetPin(PinImage pin) { pin_ = std::move(pin); }
    HWND Handle() const { return window_.get(); }
    // Where the top-left corner of an image pixel is on the screen.
    POINT ScreenPointOf(Point image) const;

    // Its handlers.
    void OnPaint();
    // Enter or Escape held since before (the Enter that finished the pick, repeating) does nothing.
    void OnKeyDown(WPARAM key, LPARAM flags);
    // Tool, colour and width keys.
    void OnChar(WPARAM character);
    void OnLButtonDown(WPARAM, LPARAM lParam);
    void OnLButtonDoubleClick(WPARAM, LPARAM lParam);
    void OnMouseMove(WPARAM, LPARAM lParam);
    void OnLButtonUp(WPARAM, LPARAM lParam);
    // The mouse was taken away: the mark being drawn is dropped.
    void OnCaptureLost();
    // Ctrl+wheel zooms about the cursor, Shift+wheel scrolls across, the wheel up and down.
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    // A drag with the middle button pans.
    void OnMButtonDown(WPARAM, LPARAM lParam);
    void OnMButtonUp();
    void OnSize(WPARAM, LPARAM lParam);
    // Each answers what the default procedure answers: it shows the composition.
    LRESULT OnImeStartComposition(WPARAM wParam, LPARAM lParam);
    LRESULT OnImeEndComposition(WPARAM wParam, LPARAM lParam);
    // The close button, Alt+F4 and Escape: closes without output, asking first when there are marks.
    void OnClose();

private:
    void RegisterHandlers(MessageMap& map);
    // The window's frame around the strip and the zoomed image, over the pick and inside its work area.
    void Place(const RECT& screenArea);
    // What an input changed composed and shown anew, and the pointer held while a drag goes on.
    void Show(const EditorChanges& changes);
    void Follow(EditorCommand command);
    // What the window shows of the image: all of it, or the crop applied.
    Rect ShownArea() const;
    // Shows an area of the image anew, with room for the handles around it.
    void InvalidateImage(const Rect& area);
    // The image pixel under a client point.
    Point ImagePoint(LPARAM lParam) const;
    // Writes the output and closes; stays open when the file was not written.
    void Output();
    void Copy() const;
    // Pins the image as it would be output, where it was picked, and closes without output.
    void Pin();
    void Close();
    // Reports an error of the output step; the window and its marks stay.
    void Report(const std::exception& error) const;
    // The zoom and the scroll, kept within what the view can show; the window painted anew.
    void View(int zoom, Point scroll);
    // The part of the client under the strip.
    Size ViewSize() const;

    GdiPlusSession gdiPlus_;
    GdiTextFont font_;
    OwnedWindow window_;
    std::unique_ptr<MarkupCanvas> canvas_;
    std::unique_ptr<ToolStrip> strip_;
    std::optional<MarkupEditor> editor_;
    TextInput input_;
    std::function<void()> done_;
    PinImage pin_;
    POINT pickedAt_ = {};  // the screen point of the pick's top-left pixel
    ImageFileNamer namer_;
    ImageView view_;
    std::optional<Point> panFrom_;  // the view point where the middle button went down
    Point panScroll_{};  // the scroll then
};

MarkupWindow& TheMarkupWindow();

}  // namespace Vorlune
