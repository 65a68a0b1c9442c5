#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "widgets/Button.h"

namespace Vorlune {

// A container's buttons in creation order, the order of hit testing, painting and events.
// Turns the owner window's mouse messages into button events; at most one button is pressed.
class ButtonList {
public:
    void Add(std::unique_ptr<Button> button) { buttons_.push_back(std::move(button)); }
    bool Pressing() const { return pressing_; }

    void OnLButtonDown(POINT point);
    void OnLButtonUp(POINT point);
    void OnMouseMove(POINT point);
    // The mouse capture went elsewhere: every press ends without running its button, and no
    // later release can run one.
    void OnCaptureLost();

    void Activate();
    void Deactivate();
    // Background and frame, then content, button by button.
    void Draw(HDC hdc);

private:
    Button* FirstContaining(POINT point, bool pressedOnly) const;

    bool pressing_ = false;
    std::vector<std::unique_ptr<Button>> buttons_;
};

}  // namespace Vorlune
