#include "Capture/CapturedImage.h"

#include "Capture/Dib.h"
#include "ui/Clipboard.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

bool CopyImageToClipboard(HWND owner, const CapturedImage& image, std::span<const std::uint8_t> png) {
    const BITMAPINFO info = DibInfo(image.Width(), image.Height(), 24);
    HBITMAP copy = CreateDIBitmap(ScreenDC().get(), &info.bmiHeader, CBM_INIT, image.Bits(), &info, DIB_RGB_COLORS);
    return PutBitmapOnClipboard(owner, copy, png);
}

}  // namespace Vorlune
