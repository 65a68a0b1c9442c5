#include "widgets/ClientArea.h"

#include "draw/Primitives.h"
#include "resources/resource.h"
#include "ui/Geometry.h"
#include "widgets/ToggleButton.h"

namespace Vorlune {

namespace {

constexpr COLORREF kBand = 0xF0E7F1;
// The pictures of command buttons 0 to 4.
constexpr PictureIds kPictures[kCommandCount] = {{IDB_RECTANGLE, IDB_RECTANGLE_150, IDB_RECTANGLE_200},
                                                 {IDB_WINDOW, IDB_WINDOW_150, IDB_WINDOW_200},
                                                 {IDB_HIDDEN_WINDOW, IDB_HIDDEN_WINDOW_150, IDB_HIDDEN_WINDOW_200},
                                                 {IDB_DESKTOP, IDB_DESKTOP_150, IDB_DESKTOP_200},
                                                 {IDB_SETTINGS, IDB_SETTINGS_150, IDB_SETTINGS_200}};

}  // namespace

ClientArea::ClientArea(HWND owner, HDC backBuffer, const ClientAreaLayout& layout, int dpi, const CommandRunner& run)
    : band_(ToWin(layout.band)), backBuffer_(backBuffer) {
    for (int i = 0; i < kCommandCount; ++i)
        commands_.Add(std::make_unique<CommandButton>(
            owner, ToWin(layout.commands[i]), static_cast<TextId>(TextRectangleButton + i), dpi, kPictures[i], run));
    for (int i = 0; i < kCommandCount; ++i)
        toggles_.Add(std::make_unique<ToggleButton>(owner, static_cast<TextId>(TextZoomToggle + i),
                                                    ToWin(layout.toggles[i]), dpi));
}

void ClientArea::Draw() {
    DrawFilledRectangle(backBuffer_, band_, kBand, kBand);
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
