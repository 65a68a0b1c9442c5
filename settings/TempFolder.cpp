#include "settings/TempFolder.h"

#include <windows.h>

#include <cstdlib>

#include "settings/PathText.h"

namespace Vorlune {

std::wstring GetTempFolderPath() {
    wchar_t buffer[MAX_PATH] = L"C:\\";
    if (GetTempPathW(MAX_PATH, buffer) != 0) {
        GetLongPathNameW(buffer, buffer, MAX_PATH - 1);
    }
    return WithTrailingBackslash(WithTrailingBackslash(buffer) + L"__GLIMRA__");
}

std::wstring GetModuleBaseName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t name[MAX_PATH] = {};
    if (_wsplitpath_s(path, nullptr, 0, nullptr, 0, name, MAX_PATH, nullptr, 0) != 0) return {};
    return name;
}

const std::wstring& IniPath() {
    static const std::wstring path = GetTempFolderPath() + GetModuleBaseName() + L".ini";
    return path;
}

}  // namespace Vorlune
