#include "ui/Clipboard.h"

#include <algorithm>

#include "settings/TextConversion.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// Hands data to the clipboard; on any failure the data is released and false returned.
template <class Release>
bool PutOnClipboard(HWND owner, UINT format, HANDLE data, Release release) {
    if (data == nullptr) return false;
    if (!OpenClipboard(owner)) {
        release(data);
        return false;
    }
    bool placed = false;
    if (EmptyClipboard()) placed = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    if (!placed) release(data);
    return placed;
}

HGLOBAL AnsiTextBlock(const std::wstring& text) {
    const std::string ansi = ToThreadAnsi(text);
    if (ansi.empty() && !text.empty()) return nullptr;
    // Sized from the converted bytes: a character may take two bytes in the ANSI code page.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, ansi.size() + 1);
    if (block == nullptr) return nullptr;
    auto* target = static_cast<char*>(GlobalLock(block));
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::copy(ansi.c_str(), ansi.c_str() + ansi.size() + 1, target);
    GlobalUnlock(block);
    return block;
}

}  // namespace

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
    return PutOnClipboard(owner, CF_BITMAP, bitmap, GdiObjectDeleter());
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    return PutOnClipboard(owner, CF_TEXT, AnsiTextBlock(text), [](HANDLE data) { GlobalFree(static_cast<HGLOBAL>(data)); });
}

}  // namespace Vorlune
