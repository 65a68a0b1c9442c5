#include "widgets/Picture.h"

namespace Vorlune {

Picture::Picture(HINSTANCE instance, int id, SIZE size, COLORREF transparent)
    : bitmap_(LoadBitmapW(instance, MAKEINTRESOURCEW(id))), size_(size), transparent_(transparent) {
    if (bitmap_ == nullptr) return;
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ != nullptr) SelectObject(dc_, bitmap_);
}

Picture::~Picture() {
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void Picture::Draw(HDC hdc, POINT at) const {
    if (dc_ == nullptr) return;
    TransparentBlt(hdc, at.x, at.y, size_.cx, size_.cy, dc_, 0, 0, size_.cx, size_.cy, transparent_);
}

}  // namespace Vorlune
