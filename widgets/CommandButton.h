#pragma once
#include <functional>
#include <memory>

#include "core/Colours.h"
#include "widgets/Button.h"
#include "widgets/ButtonHint.h"
#include "widgets/Picture.h"

namespace Vorlune {

// What a command button's click runs: the main window's command dispatch.
// releasedAt: the click's release, in the owner's client area.
using CommandRunner = std::function<void(const Button&, POINT releasedAt)>;

// A large picture button that starts a capture mode or opens the settings.
class CommandButton : public Button {
public:
    CommandButton(HWND owner, const RECT& rect, TextId id, int dpi, const PictureIds& picture, CommandRunner run);

    void Activate() override;
    void Deactivate() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void Draw(HDC hdc) override;
    void OnLButtonUp(POINT point) override;
    void OnLButtonDown(POINT point) override;
    void OnMouseMove(POINT point) override;
    void Execute(POINT releasedAt) override;
    void DrawContent(HDC hdc) override;

private:
    // The looks, indexing the colour table; its entry 3 is never shown.
    enum class Look { Resting = 0, Left = 1, UnderCursor = 2, Held = 4 };
    void Show(Look look);

    CommandButtonColours current_;
    ButtonHint hint_;
    Picture picture_;
    POINT pictureAt_;
    CommandRunner run_;
};

}  // namespace Vorlune
