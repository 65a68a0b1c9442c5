#include "widgets/Picture.h"

#include "core/Dpi.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr DWORD kAndNotSource = 0x00220326;

int IdAt(const PictureIds& ids, int dpi) {
    switch (PictureScale(dpi)) {
        case 150: return ids.at150;
        case 200: return ids.at200;
        default: return ids.at100;
    }
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// A copy of source at size; smooth for colours, whole pixels for a mask.
MemorySurface Resized(const MemorySurface& source, SIZE from, SIZE to, bool mask) {
    MemorySurface resized(mask ? CreateBitmap(to.cx, to.cy, 1, 1, nullptr)
                               : CreateCompatibleBitmap(source.dc(), to.cx, to.cy));
    if (!resized) return resized;
    SetStretchBltMode(resized.dc(), mask ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(resized.dc(), 0, 0, nullptr);
    StretchBlt(resized.dc(), 0, 0, to.cx, to.cy, source.dc(), 0, 0, from.cx, from.cy, SRCCOPY);
    return resized;
}
}  // namespace

Picture::Picture(HINSTANCE instance, const PictureIds& ids, SIZE size, COLORREF transparent, int dpi)
    : image_(static_cast<HBITMAP>(
          LoadImageW(instance, MAKEINTRESOURCEW(IdAt(ids, dpi)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
      size_(ToWin(Scaled(ToCore(size), dpi))) {
    if (!image_) return;
    const SIZE drawn = BitmapSize(image_.bitmap());
    mask_ = MemorySurface(CreateBitmap(drawn.cx, drawn.cy, 1, 1, nullptr));
    if (!mask_) return;
    const HDC imageDC = image_.dc();
    const HDC maskDC = mask_.dc();
    // Into a monochrome bitmap, the background colour becomes white and the rest black.
    SetBkColor(imageDC, transparent);
    BitBlt(maskDC, 0, 0, drawn.cx, drawn.cy, imageDC, 0, 0, SRCCOPY);
    SetTextColor(imageDC, kBlack);
    SetBkColor(imageDC, kWhite);
    BitBlt(imageDC, 0, 0, drawn.cx, drawn.cy, maskDC, 0, 0, kAndNotSource);
    if (drawn.cx != size_.cx || drawn.cy != size_.cy) {
        image_ = Resized(image_, drawn, size_, false);
        mask_ = Resized(mask_, drawn, size_, true);
        if (!image_ || !mask_) return;
    }
    ready_ = true;
}

void Picture::Draw(HDC hdc, POINT at) const {
    if (!ready_) return;
    const COLORREF text = SetTextColor(hdc, kBlack);
    const COLORREF background = SetBkColor(hdc, kWhite);
    BitBlt(hdc, at.x, at.y, size_.cx, size_.cy, mask_.dc(), 0, 0, SRCAND);
    BitBlt(hdc, at.x, at.y, size_.cx, size_.cy, image_.dc(), 0, 0, SRCPAINT);
    SetTextColor(hdc, text);
    SetBkColor(hdc, background);
}

}  // namespace Vorlune
