#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace Vorlune {

// Gets whether the clipboard took all the new data of a put.
using ClipboardDone = std::function<void(bool placed)>;

// Both take what they are given to put on the clipboard, ready made, and own it until the
// clipboard takes it; they touch the clipboard only then: when it cannot be opened, the user's
// clipboard stays as it was. The puts of the window's thread are done in turn, each once the one
// before it is done, its done included. With none waiting and the clipboard free, a put is done,
// its done too, before the call returns. Where another program holds the clipboard, the put
// waits: it is tried again from the thread's message loop (a modal one's too) for at least half
// a second from its turn, and done runs there; the window goes on answering meanwhile.

// CF_BITMAP, and with png bytes also the registered format "PNG" holding a copy of them, which
// programs that take PNG prefer. Takes ownership of bitmap: the clipboard keeps it, or it is
// deleted here.
void PutBitmapOnClipboard(HWND owner, HBITMAP bitmap, std::span<const std::uint8_t> png, ClipboardDone done);

// CF_UNICODETEXT, and CF_TEXT in the thread's ANSI code page.
void PutTextOnClipboard(HWND owner, const std::wstring& text, ClipboardDone done = {});

// Runs then once every put made so far is done, its done included: at once when none waits.
void AfterClipboardPuts(std::function<void()> then);

}  // namespace Vorlune
