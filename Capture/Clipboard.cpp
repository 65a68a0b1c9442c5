#include "Capture/Clipboard.h"


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
    const int length = static_cast<int>(text.size());
    int bytes = 0;
    if (length > 0) {
        bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return nullptr;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes) + 1);
    if (block == nullptr) return nullptr;
    auto* target = static_cast<char*>(GlobalLock(block));
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    const int converted =
        bytes > 0 ? WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), length, target, bytes, nullptr, nullptr) : 0;
    target[bytes] = '\0';
    GlobalUnlock(block);
    if (converted != bytes) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

}  // namespace

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
    return PutOnClipboard(owner, CF_BITMAP, bitmap, [](HANDLE data) { DeleteObject(static_cast<HBITMAP>(data)); });
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    return PutOnClipboard(owner, CF_TEXT, AnsiTextBlock(text), [](HANDLE data) { GlobalFree(static_cast<HGLOBAL>(data)); });
}

}  // namespace Vorlune
