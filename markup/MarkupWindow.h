#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "Capture/CapturedImage.h"
#include "Capture/ImageFileNamer.h"
#include "core/MarkupDocument.h"
#include "markup/MarkupCanvas.h"
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
    HWND Handle() const { return window_.get(); }

    // Its handlers.
    void OnPaint();
    void OnKeyDown(WPARAM key);
    // The close button, Alt+F4 and Escape: closes without output, asking first when there are marks.
    void OnClose();

private:
    void RegisterHandlers(MessageMap& map);
    // The window's frame around the zoomed image, over the pick and inside its work area.
    void Place(const RECT& screenArea);
    // Writes the output and closes; stays open when the file was not written.
    void Output();
    void Copy() const;
    void Close();
    // Reports an error of the output step; the window and its marks stay.
    void Report(const std::exception& error) const;
    RECT ImageRect() const;

    OwnedWindow window_;
    std::unique_ptr<MarkupCanvas> canvas_;
    std::optional<MarkupHistory> history_;
    std::function<void()> done_;
    ImageFileNamer namer_;
    int zoom_ = 100;
    Point scroll_{};
};

MarkupWindow& TheMarkupWindow();

}  // namespace Vorlune
