#include "widgets/ButtonList.h"

namespace Vorlune {

Button* ButtonList::FirstContaining(POINT point, bool pressedOnly) const {
    for (const auto& button : buttons_)
        if (button->Contains(point) && (!pressedOnly || button->pressed)) return button.get();
    return nullptr;
}

void ButtonList::OnLButtonDown(POINT point) {
    Button* button = FirstContaining(point, false);
    if (button == nullptr) return;
    pressing_ = true;
    button->pressed = true;
    button->OnLButtonDown(point);
}

void ButtonList::OnLButtonUp(POINT point) {
    pressing_ = false;
    for (const auto& button : buttons_) {
        if (!button->pressed) continue;
        button->pressed = false;
        button->OnLButtonUp(point);
        if (button->Contains(point)) button->Execute(point);
        return;
    }
}

void ButtonList::OnMouseMove(POINT point) {
    if (Button* entered = FirstContaining(point, pressing_); entered != nullptr && !entered->hover) {
        entered->hover = true;
        entered->OnMouseEnter();
    }
    for (const auto& button : buttons_) {
        if (button->Contains(point) || !button->hover) continue;
        button->hover = false;
        button->OnMouseLeave();
        break;
    }
    if (pressing_) return;
    if (Button* under = FirstContaining(point, false)) under->OnMouseMove(point);
}

void ButtonList::OnCaptureLost() {
    pressing_ = false;
    for (const auto& button : buttons_) {
        if (!button->pressed) continue;
        button->pressed = false;
        button->OnPressCancelled();
    }
}

void ButtonList::Activate() {
    for (const auto& button : buttons_) button->Activate();
}

void ButtonList::Deactivate() {
    for (const auto& button : buttons_) button->Deactivate();
}

void ButtonList::Draw(HDC hdc) {
    for (const auto& button : buttons_) {
        button->Draw(hdc);
        button->DrawContent(hdc);
    }
}

}  // namespace Vorlune
