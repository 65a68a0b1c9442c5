#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace Vorlune {

// What the settings dialog asks of the shell: the folder and file browser, and the start of
// the web page. Replaceable, so the dialog can be driven where no shell dialog may open.
struct DialogServices {
    // Flags, owner, initial path, caption, instruction; the chosen path, or empty.
    std::function<std::wstring(UINT, HWND, const std::wstring&, const std::wstring&, const std::wstring&)> browse;
    // Opens target; true when it started.
    std::function<bool(HWND, const std::wstring&)> launch;
};

DialogServices ShellDialogServices();

}  // namespace Vorlune
