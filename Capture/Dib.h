#pragma once
#include <windows.h>

namespace Vorlune {

// The header of an uncompressed bottom-up DIB, with no colour table.
BITMAPINFO DibInfo(int width, int height, WORD bitCount);

// A width x height 24-bit bottom-up DIB section laid out as an image file's pixels; null
// when it cannot be made, also for a size that is not positive or whose byte count would
// overflow.
HBITMAP CreateDib24(int width, int height);
// The same with 32 bits a pixel, the screen's own layout: a copy to a window is then a plain
// copy, with no conversion of each pixel.
HBITMAP CreateDib32(int width, int height);

}  // namespace Vorlune
