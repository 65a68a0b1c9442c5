#include "ui/Clipboard.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "ui/GdiOwners.h"
#include "ui/PendingException.h"
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

// Another program (a clipboard manager, a script reading it) may have it open for a moment: a
// put waiting for it is tried again this often, for at least this long from its turn.
constexpr UINT kPauseMs = 25;
constexpr std::chrono::milliseconds kPatience{500};

// One put: its data, or none for a caller that only waits for the puts before it.
struct Put {
    HWND owner;
    std::vector<ClipboardData> items;
    ClipboardDone done;
    std::optional<std::chrono::steady_clock::time_point> until;  // set at its first try: refused once past
};

// The puts waiting for the clipboard, oldest first, and the timer that tries them again.
struct Waiting {
    std::deque<Put> puts;
    UINT_PTR timer = 0;
    bool serving = false;  // a put's done is under way; it may show a box, whose loop runs the timer
};

Waiting& Queue() {
    static Waiting waiting;
    return waiting;
}

// Hands all the data to the clipboard at once; what it did not take goes with items.
bool Place(std::vector<ClipboardData>& items) {
    bool placed = EmptyClipboard();
    for (ClipboardData& item : items) {
        placed = placed && SetClipboardData(item.format, item.Data()) != nullptr;
        if (!placed) continue;
        // The system owns it now.
        static_cast<void>(item.bitmap.release());
        static_cast<void>(item.block.release());
    }
    return placed;
}

// One try: whether the clipboard took the data, or nothing while it is held and time is left.
std::optional<bool> TryPut(Put& put) {
    if (put.items.empty()) return true;
    if (!std::all_of(put.items.begin(), put.items.end(),
                     [](const ClipboardData& item) { return item.Data() != nullptr; }))
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (!put.until) put.until = now + kPatience;
    // The window may have gone meanwhile; the data needs none to stay on the clipboard.
    if (!OpenClipboard(IsWindow(put.owner) ? put.owner : nullptr)) {
        if (now < *put.until) return std::nullopt;
        return false;
    }
    const bool placed = Place(put.items);
    CloseClipboard();
    return placed;
}

// Tries the waiting puts in turn until one must wait on.
void ServeInTurn(Waiting& waiting) {
    while (!waiting.puts.empty()) {
        const std::optional<bool> placed = TryPut(waiting.puts.front());
        if (!placed) return;
        Put put = std::move(waiting.puts.front());
        waiting.puts.pop_front();
        if (waiting.puts.empty()) KillTimer(nullptr, std::exchange(waiting.timer, 0));
        if (put.done) put.done(*placed);
        // Nothing was tried while done ran (it may have shown a box): the next one's time starts now.
        if (!waiting.puts.empty()) waiting.puts.front().until.reset();
    }
}

// The next put waits until a done has returned: what waits for the puts before it must not run
// under the box of one of them.
void ServeWaiting() {
    Waiting& waiting = Queue();
    if (std::exchange(waiting.serving, true)) return;
    try {
        ServeInTurn(waiting);
    } catch (...) {
        waiting.serving = false;
        throw;
    }
    waiting.serving = false;
}

void CALLBACK TryWaiting(HWND, UINT, UINT_PTR, DWORD) { GuardCall(ServeWaiting); }

void Enqueue(HWND owner, std::vector<ClipboardData> items, ClipboardDone done) {
    Waiting& waiting = Queue();
    Put put = {owner, std::move(items), std::move(done), std::nullopt};
    if (waiting.puts.empty()) {
        if (const std::optional<bool> placed = TryPut(put)) {
            if (put.done) put.done(*placed);
            return;
        }
    }
    waiting.puts.push_back(std::move(put));
    if (waiting.timer == 0) waiting.timer = SetTimer(nullptr, 0, kPauseMs, TryWaiting);
    if (waiting.timer != 0) return;
    // Nothing would try it again: refused now rather than never.
    Put lost = std::move(waiting.puts.back());
    waiting.puts.pop_back();
    if (lost.done) lost.done(false);
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

void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap, std::span<const std::uint8_t> png, ClipboardDone done) {
    std::vector<ClipboardData> items;
    items.push_back({CF_BITMAP, OwnedBitmap(bitmap), nullptr});
    if (!png.empty()) items.push_back({RegisterClipboardFormatW(L"PNG"), nullptr, CopyToBlock(png.data(), png.size())});
    Enqueue(owner, std::move(items), std::move(done));
}

void PutTextOnClipboard(HWND owner, const std::wstring& text, ClipboardDone done) {
    // Unicode first: in the ANSI code page alone, text of another script becomes "?".
    std::vector<ClipboardData> items;
    items.push_back({CF_UNICODETEXT, nullptr, CopyToBlock(text.c_str(), (text.size() + 1) * sizeof(wchar_t))});
    items.push_back({CF_TEXT, nullptr, AnsiTextBlock(text)});
    Enqueue(owner, std::move(items), std::move(done));
}

void AfterClipboardPuts(std::function<void()> then) {
    Enqueue(nullptr, {}, [then = std::move(then)](bool) {
        if (then) then();
    });
}

}  // namespace Vorlune
