#include "widgets/Button.h"

#include "app/AppContext.h"

namespace Vorlune {

Button::Button(HWND owner, const RECT& rect, TextId id, int dpi)
    : texts_(App()), owner_(owner), rect_(rect), id_(id), dpi_(dpi) {}

}  // namespace Vorlune
