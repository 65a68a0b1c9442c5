#pragma once
#include "core/Colours.h"
#include "widgets/Button.h"
#include "widgets/ButtonHint.h"

namespace Vorlune {

// What the close and the minimise button share: a plain background per state, a glyph of
// 10 x 10 at 96 DPI centred in the button, and the resting look taken on the way out while held.
class WindowButton : public Button {
public:
    void Activate() override;
    void Deactivate() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void Draw(HDC hdc) override;
    void OnLButtonDown(POINT point) override;
    void OnMouseMove(POINT point) override;
    void Execute(POINT) override {}

protected:
    WindowButton(HWND owner, const RECT& rect, TextId id, int dpi, const Colour (&backgrounds)[5]);

    // The looks, indexing the colour tables; entry 3 repeats entry 2 and is never shown.
    enum class Look { Focused = 0, Unfocused = 1, UnderCursor = 2, Held = 4 };
    int LookIndex() const { return static_cast<int>(look_); }
    const RECT& Glyph() const { return glyph_; }

private:
    const Colour (&backgrounds_)[5];
    RECT glyph_;
    ButtonHint hint_;
    Look look_ = Look::Unfocused;  // until told otherwise
};

// Posts WM_CLOSE when released inside.
class CloseButton : public WindowButton {
public:
    CloseButton(HWND owner, const RECT& rect, TextId id, int dpi);
    void OnLButtonUp(POINT point) override;
    // A cross with a halo on both sides of each stroke.
    void DrawContent(HDC hdc) override;
};

// Minimises the owner when released inside.
class MinimizeButton : public WindowButton {
public:
    MinimizeButton(HWND owner, const RECT& rect, TextId id, int dpi);
    void OnLButtonUp(POINT point) override;
    // A bar through the centre.
    void DrawContent(HDC hdc) override;
};

// The application icon; a release opens the owner's system menu at the window's left edge.
class SystemButton : public Button {
public:
    SystemButton(HWND owner, const RECT& rect, TextId id, int dpi, HICON icon)
        : Button(owner, rect, id, dpi), icon_(icon) {}

    void Activate() override {}
    void Deactivate() override {}
    void OnMouseEnter() override {}
    void OnMouseLeave() override {}
    void Draw(HDC) override {}
    void OnLButtonUp(POINT point) override;
    void OnLButtonDown(POINT) override {}
    void OnMouseMove(POINT) override {}
    void Execute(POINT) override {}
    void DrawContent(HDC hdc) override;
    // No menu without a release.
    void OnPressCancelled() override {}

private:
    HICON icon_;
};

}  // namespace Vorlune
