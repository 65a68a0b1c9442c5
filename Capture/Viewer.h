#pragma once
#include <windows.h>

#include <string>

namespace Vorlune {

// Starts the viewer on path (quoted; no parameters when path is empty); true when it started.
bool LaunchViewer(HWND owner, const std::wstring& viewer, const std::wstring& path);

}  // namespace Vorlune
