#include "settings/ModulePath.h"

#include <windows.h>

#include <cstdlib>

namespace Vorlune {

std::wstring RunningModulePath() {
    wchar_t path[520] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, 519);
    // A truncated path names another file.
    if (length == 0 || length >= 519) return {};
    return path;
}

std::wstring GetModuleBaseName() {
    wchar_t name[MAX_PATH] = {};
    if (_wsplitpath_s(RunningModulePath().c_str(), nullptr, 0, nullptr, 0, name, MAX_PATH, nullptr, 0) != 0) return {};
    return name;
}

}  // namespace Vorlune
