#include "widgets/Picture.h"

namespace Vorlune {

namespace {
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr DWORD kAndNotSource = 0x00220326;
}  // namespace

Picture::Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent)
    : image_(static_cast<HBITMAP>(
          LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))),
      mask_(CreateBitmap(size.cx, size.cy, 1, 1, nullptr)),
      imageDC_(CreateCompatibleDC(nullptr)),
      maskDC_(CreateCompatibleDC(nullptr)),
      size_(size) {
    if (image_ == nullptr || mask_ == nullptr || imageDC_ == nullptr || maskDC_ == nullptr) return;
    ready_ = true;
    SelectObject(imageDC_, image_);
    SelectObject(maskDC_, mask_);
    // Into a monochrome bitmap, the background colour becomes white and the rest black.
    SetBkColor(imageDC_, transparent);
    BitBlt(maskDC_, 0, 0, size.cx, size.cy, imageDC_, 0, 0, SRCCOPY);
    SetTextColor(imageDC_, kBlack);
    SetBkColor(imageDC_, kWhite);
    BitBlt(imageDC_, 0, 0, size.cx, size.cy, maskDC_, 0, 0, kAndNotSource);
}

Picture::~Picture() {
    if (imageDC_ != nullptr) DeleteDC(imageDC_);
    if (maskDC_ != nullptr) DeleteDC(maskDC_);
    if (image_ != nullptr) DeleteObject(image_);
    if (mask_ != nullptr) DeleteObject(mask_);
}

void Picture::Draw(HDC hdc, POINT at) const {
    if (!ready_) return;
    const COLORREF text = SetTextColor(hdc, kBlack);
    const COLORREF background = SetBkColor(hdc, kWhite);
    BitBlt(hdc, at.x, at.y, size_.cx, size_.cy, maskDC_, 0, 0, SRCAND);
    BitBlt(hdc, at.x, at.y, size_.cx, size_.cy, imageDC_, 0, 0, SRCPAINT);
    SetTextColor(hdc, text);
    SetBkColor(hdc, background);
}

}  // namespace Vorlune
