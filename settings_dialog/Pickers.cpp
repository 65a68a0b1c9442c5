#include "settings_dialog/Pickers.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <utility>

#include "app/AppContext.h"
#include "settings/TempFolder.h"
#include "ui/ComRef.h"

namespace Vorlune {

namespace {

using BrowseStart = std::pair<const std::wstring*, const std::wstring*>;  // initial path, caption

int CALLBACK OnBrowseEvent(HWND browser, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED) {
        const auto* start = reinterpret_cast<const BrowseStart*>(data);
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->first->c_str()));
        SetWindowTextW(browser, start->second->c_str());
    }
    return 0;
}

}  // namespace

std::wstring BrowseForPath(UINT flags, HWND owner, const std::wstring& initial, const std::wstring& caption,
                           const std::wstring& instruction) {
    BrowseStart start{&initial, &caption};
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = flags;
    info.lpfn = OnBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    if (list == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    const bool isPath = SHGetPathFromIDListW(list, path) != FALSE;
    // The item list goes back to the shell also when it named no file-system path.
    ComRef<IMalloc> allocator;
    if (SUCCEEDED(SHGetMalloc(allocator.Out())) && allocator.Get() != nullptr)
        allocator->Free(list);
    else
        CoTaskMemFree(list);
    return isPath ? path : L"";
}

// Asked of the window: for another program's edit control GetWindowTextW reads its caption, not its text.
std::wstring GetWindowTextString(HWND window) {
    std::wstring text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.c_str();
}

std::wstring GetTreeItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[200] = {};
    TVITEMW query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = 200;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return buffer;
}

bool SelectTreeItemIfText(HWND tree, HTREEITEM item, const std::wstring& text) {
    if (GetTreeItemText(tree, item) != text) return false;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return true;
}

void ShowSettingsMessage(HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
}

bool ResetSettings(HWND dialog) {
    if (MessageBoxW(dialog, App().GetText(TextResetQuestion).c_str(), App().title.c_str(),
                    MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return false;
    if (!PathFileExistsW(IniPath().c_str())) return false;
    if (!DeleteFileW(IniPath().c_str())) {
        ShowSettingsMessage(dialog, App().GetText(TextIniResetFailed));
        return false;
    }
    return true;
}

}  // namespace Vorlune
