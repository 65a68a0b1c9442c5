#include "widgets/CommandButton.h"

#include "app/AppContext.h"
#include "draw/Primitives.h"

namespace Vorlune {

CommandButton::CommandButton(HWND owner, const RECT& rect, TextId id, int bitmapId, CommandRunner run)
    : Button(owner, rect, id),
      current_(kCommandButtonColours[1]),
      hint_(owner, rect, id),
      picture_(bitmapId == 0 ? nullptr : std::make_unique<Picture>(App().instance, bitmapId, SIZE{36, 25}, 0x000000)),
      run_(std::move(run)) {}

void CommandButton::Activate() { Show(hint_.ShowIfUnderCursor() ? Look::UnderCursor : Look::Resting); }

void CommandButton::Deactivate() {
    hover = false;
    OnMouseLeave();
    hint_.Hide();
}

void CommandButton::OnMouseEnter() { Show(pressed ? Look::Held : Look::UnderCursor); }

void CommandButton::OnMouseLeave() {
    Show(Look::Left);
    hint_.Hide();
}

void CommandButton::Draw(HDC hdc) {
    DrawFilledRectangle(hdc, Rect(), current_.fill, current_.fill);
    DrawBevelFrame(hdc, current_.topLeft, current_.bottomRight, Rect());
}

void CommandButton::OnLButtonUp(POINT point) { Show(Contains(point) ? Look::UnderCursor : Look::Resting); }

void CommandButton::OnLButtonDown(POINT) {
    Show(Look::Held);
    hint_.Hide();
}

void CommandButton::OnMouseMove(POINT point) {
    if (pressed)
        hint_.Hide();
    else
        hint_.ShowAt(point);
}

void CommandButton::Execute() {
    if (run_) run_(*this);
}

void CommandButton::Show(Look look) { current_ = kCommandButtonColours[static_cast<int>(look)]; }

void CommandButton::DrawContent(HDC hdc) {
    if (picture_) picture_->Draw(hdc, {Rect().left + 3, Rect().top + 7});
}

}  // namespace Vorlune
