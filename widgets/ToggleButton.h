#pragma once
#include "core/Colours.h"
#include "widgets/Button.h"
#include "widgets/ButtonHint.h"
#include "widgets/Picture.h"

namespace Vorlune {

// A small two-state button. Its state lives in section "Gui" of the INI file under its id;
// the one with id 9 is the language switch.
class ToggleButton : public Button {
public:
    ToggleButton(HWND owner, TextId id, const RECT& rect, int dpi)
        : ToggleButton(owner, id, rect, dpi, kToggleColours) {}

    void Activate() override;
    void Deactivate() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void Draw(HDC hdc) override;
    void OnLButtonUp(POINT point) override;
    void OnLButtonDown(POINT point) override;
    void OnMouseMove(POINT point) override;
    void Execute(POINT) override;
    // The digit id - 4.
    void DrawContent(HDC hdc) override;

protected:
    // Starts in the resting look of the stored state, so a toolbar shown without the focus
    // never paints a toggle in black.
    ToggleButton(HWND owner, TextId id, const RECT& rect, int dpi, const ToggleTable& colours);

private:
    // The looks, in the order of the colour tables.
    enum class Look { Off, On, OffUnderCursor, OnUnderCursor, Held };
    static Look Resting(bool on, bool underCursor);
    void Show(Look look);

    // Reads the stored state; the language switch also sets the language.
    void Load();
    void ApplyLanguage();

    const ToggleTable& active_;
    ToggleColours current_;
    ButtonHint hint_;
    bool on_ = false;
};

// A toggle of the title bar, showing a picture: an arrow cursor for whether captures include the
// cursor, a pen for whether they are marked up before output.
class TitleBarToggleButton : public ToggleButton {
public:
    // pictureSize is at 96 DPI; white is transparent.
    TitleBarToggleButton(HWND owner, TextId id, const RECT& rect, int dpi, const PictureIds& pictures,
                         SIZE pictureSize);

    void DrawContent(HDC hdc) override;

private:
    POINT bitmapAt_;
    Picture picture_;
};

}  // namespace Vorlune
