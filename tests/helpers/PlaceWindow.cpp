// Puts the first top-level window of a class, once it shows, at a rectangle and on top:
// place_window CLASS LEFT TOP WIDTH HEIGHT, a width of 0 keeping the size. The journeys
// arrange other programs' windows so.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 6) return 2;
    HWND window = nullptr;
    for (int tries = 0; tries < 400 && (window == nullptr || !IsWindowVisible(window)); ++tries) {
        window = FindWindowW(arguments[1], nullptr);
        Sleep(25);
    }
    const int left = _wtoi(arguments[2]);
    const int top = _wtoi(arguments[3]);
    const int width = _wtoi(arguments[4]);
    const int height = _wtoi(arguments[5]);
    LocalFree(arguments);
    if (window == nullptr) return 1;
    const UINT keepSize = width <= 0 ? SWP_NOSIZE : 0;  // for a window that sizes itself
    return SetWindowPos(window, HWND_TOP, left, top, width, height, SWP_NOACTIVATE | keepSize) ? 0 : 3;
}
