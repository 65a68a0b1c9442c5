#pragma once
#include <windows.h>

#include <functional>

#include "app/MainWindow.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// Builds the process-wide objects in their fixed order, before anything else runs.
void TouchProcessObjects();

// The start-up calls that can fail; empty ones are CoInitializeEx for a single-threaded
// apartment, RegisterClassExW and CreateWindowExW of the toolbar. Tests put stand-ins in their place.
struct StartupCalls {
    std::function<HRESULT()> initializeCom = {};
    std::function<ATOM()> registerClass = {};
    std::function<HWND()> createToolbar = {};
};

// Registers the class and creates and shows the toolbar. False when COM, the class or the
// toolbar cannot be had, after a box that says which (title from the instance's resources).
bool Initialize(HINSTANCE instance, int showCommand, const StartupCalls& calls = {});
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Every message the toolbar serves, here and nowhere else; window is attached to the toolbar.
void RegisterToolbarHandlers(MessageMap& map, MainWindow& window);

// Runs initialize, then the message loop. Exit code 0 only after a normal quit; 1 when
// initialize fails, GetMessageW fails, or an exception ends the loop (after its box).
int RunMessageLoop(const std::function<bool()>& initialize, HACCEL accelerators);

// The position to remember on close: the restored one when the window is minimised.
POINT WindowPositionToSave(HWND hwnd);

}  // namespace Vorlune
