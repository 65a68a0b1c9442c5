// Holds Ctrl+Shift+R as another program would: registers it, then makes a hidden Static window
// to say so and runs until it is ended. Exit code 2: the key was held already.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'R')) return 2;
    CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
