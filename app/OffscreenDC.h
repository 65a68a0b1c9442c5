#pragma once
#include <windows.h>

#include "ui/GdiOwners.h"

namespace Vorlune {

// The main window's back buffer: a memory surface compatible with the screen.
class OffscreenDC {
public:
    // A surface of size, in place of any before.
    void Create(SIZE size);
    HDC Get() const { return surface_.dc(); }

private:
    MemorySurface surface_;
};

}  // namespace Vorlune
