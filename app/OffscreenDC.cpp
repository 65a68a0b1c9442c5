#include "app/OffscreenDC.h"

namespace Vorlune {

void OffscreenDC::Create(SIZE size) {
    surface_ = {};  // the old one goes first: never two screen-sized surfaces at once
    surface_ = MemorySurface(CreateCompatibleBitmap(ScreenDC().get(), size.cx, size.cy));
}

}  // namespace Vorlune
