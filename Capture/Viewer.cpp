#include "Capture/Viewer.h"

#include <shellapi.h>

namespace Vorlune {

bool LaunchViewer(HWND owner, const std::wstring& viewer, const std::wstring& path) {
    // Quoted, so a folder with spaces stays one argument; file names cannot hold quotes.
    const std::wstring parameters = path.empty() ? std::wstring() : L"\"" + path + L"\"";
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // the caller reports a failure itself
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = viewer.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) && reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

}  // namespace Vorlune
