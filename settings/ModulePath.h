#pragma once
#include <string>

namespace Vorlune {

// The running executable's full path; empty when it cannot be had whole.
std::wstring RunningModulePath();
// The running executable's file name without folder and extension.
std::wstring GetModuleBaseName();

}  // namespace Vorlune
