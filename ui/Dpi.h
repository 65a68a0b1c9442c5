#pragma once
#include <windows.h>

#include <functional>

namespace Vorlune {

// Where every DPI the program uses comes from: the DPI of a monitor. By default the monitor's
// effective DPI as Windows reports it; a test of mixed scales puts monitors of its own DPI in
// its place, since Wine reports one DPI for all.
using MonitorDpiSource = std::function<int(HMONITOR monitor)>;
// An empty source puts Windows' own back. Returns the source it replaced.
MonitorDpiSource ReplaceMonitorDpiSource(MonitorDpiSource source);

int DpiOfMonitor(HMONITOR monitor);
// Of the monitor nearest the point, the rectangle or the window.
int DpiAt(POINT screenPoint);
int DpiOfRect(const RECT& screenRect);
int DpiOfWindow(HWND hwnd);

// Asks Windows for per-monitor awareness, version 2 where it has it, else version 1, else the
// system's DPI; a level refused (or set already by the manifest) is no failure.
void DeclareDpiAwareness();

}  // namespace Vorlune
