#include "Capture/CapturedImage.h"

#include <utility>

#include "Capture/Dib.h"
#include "ui/Clipboard.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

void CopyImageToClipboard(HWND owner, const CapturedImage& image, std::span<const std::uint8_t> png,
                          ClipboardDone done) {
    const BITMAPINFO info = DibInfo(image.Width(), image.Height(), 24);
    HBITMAP copy = CreateDIBitmap(ScreenDC().get(), &info.bmiHeader, CBM_INIT, image.Bits(), &info, DIB_RGB_COLORS);
    PutBitmapOnClipboard(owner, copy, png, std::move(done));
}

}  // namespace Vorlune
