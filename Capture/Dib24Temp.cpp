// Stand-ins so the framework links before the output side lands; removed when it does.
#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"

namespace Vorlune {

HBITMAP CreateDib24(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

CaptureException::CaptureException(const char*, int, DWORD) : std::runtime_error("Window creation failed") {}

void FinishCapture(ImageFileNamer&, HDC, HWND, POINT, SIZE) {}

}  // namespace Vorlune
