#include "ui/Clipboard.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/GdiOwners.h"
#include "ui/TextConversion.h"

namespace Vorlune {

namespace {

// Data for one clipboard format, owned here until the clipboard takes it: a bitmap or a block.
struct ClipboardData {
    UINT format;
    OwnedBitmap bitmap;
    OwnedGlobal block;

    HANDLE Data() const { return bitmap ? static_cast<HANDLE>(bitmap.get()) : block.get(); }
};

// Another program (a clipboard manager, a script reading it) may have it open for a moment:
// half a second of tries, then the clipboard counts as refused.
bool OpenClipboardSoon(HWND owner) {
    constexpr int kTries = 20;
    constexpr DWORD kPauseMs = 25;
    for (int tried = 1;; ++tried) {
        if (OpenClipboard(owner)) return true;
        if (tried == kTries) return false;
        Sleep(kPauseMs);
    }
}

// Hands all the data to the clipboard at once; what it did not take goes with items.
bool PutOnClipboard(HWND owner, std::vector<ClipboardData> items) {
    const bool ready =
        std::all_of(items.begin(), items.end(), [](const ClipboardData& item) { return item.Data() != nullptr; });
    const bool opened = ready && OpenClipboardSoon(owner);
    bool placed = opened && EmptyClipboard();
    for (ClipboardData& item : items) {
        placed = placed && SetClipboardData(item.format, item.Data()) != nullptr;
        if (!placed) continue;
        // The system owns it now.
        static_cast<void>(item.bitmap.release());
        static_cast<void>(item.block.release());
    }
    if (opened) CloseClipboard();
    return placed;
}

// A movable block holding a copy of size bytes; empty when it cannot be made.
OwnedGlobal CopyToBlock(const void* bytes, size_t size) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = block ? GlobalLock(block.get()) : nullptr;
    if (target == nullptr) return nullptr;
    std::copy_n(static_cast<const char*>(bytes), size, static_cast<char*>(target));
    GlobalUnlock(block.get());
    return block;
}

OwnedGlobal AnsiTextBlock(const std::wstring& text) {
    const std::string ansi = ToThreadAnsi(text);
    if (ansi.empty() && !text.empty()) return nullptr;
    // Sized from the converted bytes: a character may take two bytes in the ANSI code page.
    return CopyToBlock(ansi.c_str(), ansi.size() + 1);
}

}  // namespace

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap, std::span<const std::uint8_t> png) {
    std::vector<ClipboardData> items;
    items.push_back({CF_BITMAP, OwnedBitmap(bitmap), nullptr});
    if (!png.empty()) items.push_back({RegisterClipboardFormatW(L"PNG"), nullptr, CopyToBlock(png.data(), png.size())});
    return PutOnClipboard(owner, std::move(items));
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    // Unicode first: in the ANSI code page alone, text of another script becomes "?".
    std::vector<ClipboardData> items;
    items.push_back({CF_UNICODETEXT, nullptr, CopyToBlock(text.c_str(), (text.size() + 1) * sizeof(wchar_t))});
    items.push_back({CF_TEXT, nullptr, AnsiTextBlock(text)});
    return PutOnClipboard(owner, std::move(items));
}

}  // namespace Vorlune
