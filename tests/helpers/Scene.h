#pragma once
#include <windows.h>

// The windows scene_windows.exe shows, in a process and message loop of its own, as other
// programs' windows are. Made in this order, so each is above those before it.
namespace Vorlune::Test::Scene {

enum Flag : unsigned {
    Framed = 1,     // caption and sizing border
    Menu = 2,       // a menu bar
    Topmost = 4,
    Hider = 8,      // hides itself when it is first deactivated
    Minimised = 16,
    Disabled = 32,  // disabled, as by its modal popup
    Desktop = 64,   // of class "Progman"
};

struct Window {
    const wchar_t* title;
    RECT rect;  // screen coordinates
    unsigned flags;
    int owner;  // index of the owner, or -1
};

inline constexpr Window kWindows[] = {
    {L"desk", {0, 0, 1920, 1000}, Desktop, -1},
    {L"back", {100, 100, 700, 500}, Framed | Menu, -1},
    {L"front", {400, 300, 900, 700}, Framed, -1},
    {L"edge", {1700, 850, 2100, 1250}, Framed, -1},
    {L"mini", {1000, 60, 1300, 120}, Framed | Minimised, -1},
    {L"owner", {1000, 500, 1500, 900}, Framed | Disabled, -1},
    {L"modal", {1200, 600, 1450, 780}, Framed, 5},
    {L"topA", {800, 150, 1100, 400}, Framed | Topmost, -1},
    {L"topB", {1050, 200, 1350, 450}, Framed | Topmost, -1},
    {L"hider", {1500, 100, 1700, 250}, Topmost | Hider, -1},
};

struct Child {
    int parent;  // in kWindows; or, below 0, -1 - the index of a child before
    RECT rect;   // in the parent's client area
    bool button;
};

// "back" holds a panel sticking out on the right, with a box inside it, and a button.
inline constexpr Child kChildren[] = {
    {1, {480, 40, 680, 200}, false},
    {-1, {20, 20, 120, 100}, false},
    {1, {20, 300, 120, 330}, true},
    {0, {50, 50, 250, 150}, false},
};

// The colour of pixel (x, y) of the client area of the window with this seed: neighbours
// and seeds differ, never black or white.
inline COLORREF ClientColour(int seed, int x, int y) {
    return RGB((x * 3 + seed * 40) & 0xFF, (y * 5 + seed * 70) & 0xFF, 0x40 + ((x + 2 * y + seed * 9) & 0x3F));
}

}  // namespace Vorlune::Test::Scene
