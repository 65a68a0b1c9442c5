#include "widgets/Picture.h"

namespace Vorlune {

namespace {
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr DWORD kAndNotSource = 0x00220326;
}  // namespace

Picture::Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent)
    : image_(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
      mask_(CreateBitmap(size.cx, size.cy, 1, 1, nullptr)),
      size_(size) {
    if (!image_ || !mask_) return;
    ready_ = true;
    const HDC imageDC = image_.dc();
    const HDC maskDC = mask_.dc();
    // Into a monochrome bitmap, the background colour becomes white and the rest black.
    SetBkColor(imageDC, transparent);
    BitBlt(maskDC, 0, 0, size.cx, size.cy, imageDC, 0, 0, SRCCOPY);
    SetTextColor(imageDC, kBlack);
    SetBkColor(imageDC, kWhite);
    BitBlt(imageDC, 0, 0, size.cx, size.cy, maskDC, 0, 0, kAndNotSource);
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
