#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Scratch.h"
#include "Screen.h"  // OwnerWindow
#include "ui/GdiOwners.h"

namespace Vorlune::Test {

// As the program puts text there: CF_TEXT in the thread's code page.
void SetClipboardText(HWND owner, const std::wstring& text);
std::string ClipboardText();  // CF_TEXT; empty when the clipboard holds none
std::vector<unsigned char> ClipboardBytes(UINT format);  // empty when the clipboard has none
// Opens the clipboard, waiting while another process (or Wine's manager) holds it.
bool OpenClipboardSoon();

// The names in a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
void TouchFile(const std::wstring& path);

}  // namespace Vorlune::Test
