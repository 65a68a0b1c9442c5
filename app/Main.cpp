#include <windows.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandProcess.h"
#include "app/HandOver.h"
#include "resources/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    Vorlune::TouchProcessObjects();
    const std::vector<std::wstring> args = Vorlune::ProgramArguments();
    if (!args.empty()) return Vorlune::RunArguments(instance, args);
    // One toolbar a session: a second start brings the first to the front instead.
    if (!Vorlune::ClaimSingleInstance())
        if (HWND running = Vorlune::RunningToolbar(); running != nullptr && Vorlune::CallToFront(running)) return 0;
    return Vorlune::RunMessageLoop([&] { return Vorlune::Initialize(instance, showCommand); },
                                   LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
