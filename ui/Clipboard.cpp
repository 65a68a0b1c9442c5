#include "ui/Clipboard.h"

#include <algorithm>
#include <vector>

#include "ui/GdiOwners.h"
#include "ui/TextConversion.h"

namespace Vorlune {

namespace {

// Data for one clipboard format, and how to free it while the clipboard does not own it.
struct ClipboardData {
    UINT format;
    HANDLE data;
    void (*release)(HANDLE data);
};

void ReleaseBitmap(HANDLE data) { GdiObjectDeleter()(static_cast<HBITMAP>(data)); }
void ReleaseBlock(HANDLE data) { GlobalFree(static_cast<HGLOBAL>(data)); }

// Hands all the data to the clipboard at once; what it did not take is released.
bool PutOnClipboard(HWND owner, const std::vector<ClipboardData>& items) {
    const bool ready =
        std::all_of(items.begin(), items.end(), [](const ClipboardData& item) { return item.data != nullptr; });
    const bool opened = ready && OpenClipboard(owner);
    bool placed = opened && EmptyClipboard();
    for (const ClipboardData& item : items) {
        const bool taken = placed && SetClipboardData(item.format, item.data) != nullptr;
        if (!taken && item.data != nullptr) item.release(item.data);
        placed = taken;
    }
    if (opened) CloseClipboard();
    return placed;
}

// A movable block holding a copy of size bytes; null when it cannot be made.
HGLOBAL CopyToBlock(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return nullptr;
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::copy_n(static_cast<const char*>(bytes), size, static_cast<char*>(target));
    GlobalUnlock(block);
    return block;
}

HGLOBAL AnsiTextBlock(const std::wstring& text) {
    const std::string ansi = ToThreadAnsi(text);
    if (ansi.empty() && !text.empty()) return nullptr;
    // Sized from the converted bytes: a character may take two bytes in the ANSI code page.
    return CopyToBlock(ansi.c_str(), ansi.size() + 1);
}

}  // namespace

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap, std::span<const std::uint8_t> png) {
    std::vector<ClipboardData> items = {{CF_BITMAP, bitmap, ReleaseBitmap}};
    if (!png.empty())
        items.push_back({RegisterClipboardFormatW(L"PNG"), CopyToBlock(png.data(), png.size()), ReleaseBlock});
    return PutOnClipboard(owner, items);
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    // Unicode first: in the ANSI code page alone, text of another script becomes "?".
    return PutOnClipboard(
        owner, {{CF_UNICODETEXT, CopyToBlock(text.c_str(), (text.size() + 1) * sizeof(wchar_t)), ReleaseBlock},
                {CF_TEXT, AnsiTextBlock(text), ReleaseBlock}});
}

}  // namespace Vorlune
