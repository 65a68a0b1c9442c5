#include "widgets/Button.h"

#include "app/AppContext.h"

namespace Vorlune {

Button::Button(HWND owner, const RECT& rect, TextId id) : texts_(App()), owner_(owner), rect_(rect), id_(id) {}

}  // namespace Vorlune
