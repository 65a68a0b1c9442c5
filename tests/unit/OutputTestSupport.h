#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Scratch.h"
#include "Screen.h"  // OwnerWindow
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

void SetClipboardText(HWND owner, const std::wstring& text);
std::wstring ClipboardText();  // empty when the clipboard holds no text
std::string ClipboardAnsiText();  // CF_TEXT
std::vector<unsigned char> ClipboardBytes(UINT format);  // empty when the clipboard has none
// Opens the clipboard, waiting while another process (or Wine's manager) holds it.
bool OpenClipboardSoon(HWND owner = nullptr);

// The names in a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
void TouchFile(const std::wstring& path);

}  // namespace Vorlune::Test
