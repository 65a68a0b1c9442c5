#include <windows.h>

#include "app/Application.h"
#include "resources/resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    Vorlune::TouchProcessObjects();
    return Vorlune::RunMessageLoop([&] { return Vorlune::Initialize(instance, showCommand); },
                                   LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
