#include "widgets/ClientArea.h"

#include "draw/Primitives.h"
#include "resources/resource.h"
#include "widgets/ToggleButton.h"

namespace Vorlune {

namespace {

constexpr COLORREF kBand = 0xF0E7F1;
// The pictures of command buttons 0 to 4.
constexpr int kBitmaps[5] = {IDB_RECTANGLE, IDB_WINDOW, IDB_HIDDEN_WINDOW, IDB_DESKTOP, IDB_SETTINGS};

}  // namespace

ClientArea::ClientArea(HWND owner, HDC backBuffer, const RECT& area, const CommandRunner& run)
    : area_(area), backBuffer_(backBuffer) {
    const auto [l, t, r, b] = area;
    for (int i = 0; i < 5; ++i)
        commands_.Add(std::make_unique<CommandButton>(owner, RECT{l + 3 + 45 * i, t + 4, l + 45 + 45 * i, t + 42},
                                                      static_cast<TextId>(TextRectangleButton + i), kBitmaps[i], run));
    for (int i = 0; i < 5; ++i)
        toggles_.Add(std::make_unique<ToggleButton>(owner, static_cast<TextId>(TextZoomToggle + i),
                                                    RECT{l + 5 + 45 * i, t + 46, l + 43 + 45 * i, t + 60}));
}

void ClientArea::Draw() {
    // The band starts at the window's inner edge, whatever the area's left.
    DrawFilledRectangle(backBuffer_, RECT{1, area_.top + 43, area_.right, area_.bottom}, kBand, kBand);
    toggles_.Draw(backBuffer_);
    commands_.Draw(backBuffer_);
}

void ClientArea::Activate() {
    toggles_.Activate();
    commands_.Activate();
}

void ClientArea::Deactivate() {
    toggles_.Deactivate();
    commands_.Deactivate();
}

void ClientArea::OnLButtonDown(POINT point) {
    toggles_.OnLButtonDown(point);
    commands_.OnLButtonDown(point);
}

void ClientArea::OnLButtonUp(POINT point) {
    toggles_.OnLButtonUp(point);
    commands_.OnLButtonUp(point);
}

void ClientArea::OnMouseMove(POINT point) {
    toggles_.OnMouseMove(point);
    commands_.OnMouseMove(point);
}

void ClientArea::OnCaptureLost() {
    toggles_.OnCaptureLost();
    commands_.OnCaptureLost();
}

}  // namespace Vorlune
