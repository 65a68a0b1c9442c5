#include "settings/TempFolder.h"

#include <windows.h>

#include "settings/ModulePath.h"
#include "settings/PathText.h"

namespace Vorlune {

std::wstring GetTempFolderPath() {
    wchar_t buffer[MAX_PATH] = L"C:\\";
    if (GetTempPathW(MAX_PATH, buffer) != 0) {
        GetLongPathNameW(buffer, buffer, MAX_PATH - 1);
    }
    return WithTrailingBackslash(WithTrailingBackslash(buffer) + L"__GLIMRA__");
}

const std::wstring& IniPath() {
    static const std::wstring path = GetTempFolderPath() + GetModuleBaseName() + L".ini";
    return path;
}

}  // namespace Vorlune
