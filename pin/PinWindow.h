#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <optional>

#include "Capture/CapturedImage.h"
#include "Capture/ImageFileNamer.h"
#include "core/PinView.h"
#include "ui/GdiOwners.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// One image pinned to the screen: a borderless topmost window showing it inside a one-pixel
// outline. The left button drags it, the wheel zooms it about the cursor, Ctrl with the wheel
// makes it fainter or firmer; Escape, a double click or its menu close it, and the menu also
// copies it and outputs it as a capture is output.
class PinWindow {
public:
    static constexpr const wchar_t* kClassName = L"GlimraPin";

    // Shows image in front with its top-left pixel at topLeft, in physical pixels. onClosed
    // runs once it is closed, when no handler of its own is under way any more, and may destroy
    // it. Throws AnExceptionImpl or CaptureException when it cannot be shown.
    PinWindow(CapturedImage image, POINT topLeft, std::function<void(PinWindow&)> onClosed);
    ~PinWindow();
    PinWindow(const PinWindow&) = delete;
    PinWindow& operator=(const PinWindow&) = delete;

private:
    // Serves each pin's messages through its own map: the class has many windows at once.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RegisterHandlers();
    void OnPaint();
    void OnMouseMove();
    void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    void OnKeyDown(WPARAM key);
    void OnContextMenu(WPARAM, LPARAM lParam);
    // From where the cursor and the window are now.
    void StartDrag();
    void Zoom(int notches, POINT cursor);
    void SetOpacity(int percent);
    void Copy() const;
    void Save();
    // Hidden at once; gone once the handlers under way have returned.
    void Close();
    void Report(const std::exception& error) const;
    // The zoomed image with its outline.
    SIZE WindowSize() const;

    struct Drag {
        POINT cursor;
        POINT window;
    };

    CapturedImage image_;
    OwnedDC imageDC_;
    SelectGuard selected_;
    MessageMap map_;
    OwnedWindow window_;
    ImageFileNamer namer_;
    std::function<void(PinWindow&)> onClosed_;
    int zoom_ = 100;
    int opacity_ = kPinMaxOpacity;
    WheelNotches wheel_;
    std::optional<Drag> drag_;
    int handling_ = 0;  // handlers of its own under way, nested ones counted
    bool closed_ = false;
};

}  // namespace Vorlune
