#pragma once
#include <string>

namespace Vorlune {

// The user's temp folder + "__GLIMRA__\"; always ends with a backslash. Computed on every call.
std::wstring GetTempFolderPath();
// Temp folder + base name + ".ini", computed once.
const std::wstring& IniPath();

}  // namespace Vorlune
