#include "widgets/CommandButton.h"

#include "app/AppContext.h"
#include "core/Dpi.h"
#include "core/ToolbarLayout.h"
#include "draw/Primitives.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr Size kPictureSize = {36, 25};
}  // namespace

CommandButton::CommandButton(HWND owner, const RECT& rect, TextId id, int dpi, const PictureIds& picture,
                             CommandRunner run)
    : Button(owner, rect, id, dpi),
      current_(kCommandButtonColours[1]),
      hint_(owner, rect, id),
      picture_(App().instance, picture, ToWin(kPictureSize), 0x000000, dpi),
      pictureAt_(TopLeft(ToWin(CentredPicture(ToCore(rect), kPictureSize, dpi)))),
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
    DrawBevelFrame(hdc, current_.topLeft, current_.bottomRight, Rect(), LineWidth(Dpi()));
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

void CommandButton::Execute(POINT releasedAt) {
    if (run_) run_(*this, releasedAt);
}

void CommandButton::Show(Look look) { current_ = kCommandButtonColours[static_cast<int>(look)]; }

void CommandButton::DrawContent(HDC hdc) { picture_.Draw(hdc, pictureAt_); }

}  // namespace Vorlune
