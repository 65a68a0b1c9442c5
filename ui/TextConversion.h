#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

// Wide to the thread's ANSI code page; empty only when the conversion fails.
std::string ToThreadAnsi(const std::wstring& text);
// The same into any code page.
std::string ToCodePage(const std::wstring& text, UINT codePage);
// Back from the thread's ANSI code page, as the exceptions' reports are written.
std::wstring FromThreadAnsi(const std::string& text);

}  // namespace Vorlune
