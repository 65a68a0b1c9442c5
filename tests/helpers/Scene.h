#pragma once
#include <windows.h>

#include <string>

// Another program's windows, each above the ones before; Disabled: an owner of a modal popup.
namespace Vorlune::Test::Scene {

enum Flag : unsigned { Framed = 1, Menu = 2, Topmost = 4, Minimised = 8, Disabled = 16, Desktop = 32, Child = 64 };
struct Window {
    const wchar_t* title;
    RECT rect;  // a child's in its parent's client area
    unsigned flags;
    int owner;  // or parent
};
inline constexpr Window kWindows[] = {
    {L"desk", {0, 0, 1920, 1000}, Desktop, -1},  // of class "Progman"
    {L"back", {100, 100, 700, 500}, Framed | Menu, -1},
    {L"front", {400, 300, 900, 700}, Framed, -1},
    {L"edge", {1700, 850, 2100, 1250}, Framed, -1},
    {L"mini", {1000, 60, 1300, 120}, Framed | Minimised, -1},
    {L"owner", {1000, 500, 1500, 900}, Framed | Disabled, -1},
    {L"modal", {1200, 600, 1450, 780}, Framed, 5},
    {L"topA", {800, 150, 1100, 400}, Framed | Topmost, -1},
    {L"topB", {1050, 200, 1350, 450}, Framed | Topmost, -1},
    {L"hider", {1500, 100, 1700, 250}, Topmost, -1},  // hides itself when first deactivated
    {L"panel", {480, 40, 680, 200}, Child, 1},  // sticking out of back on the right
    {L"box", {20, 20, 120, 100}, Child, 10},
    {L"deskbox", {50, 50, 250, 150}, Child, 0},
};
inline constexpr size_t kHider = 9;

// Each window's client colour, its colour while active, and a class of its own.
inline COLORREF ClientColour(size_t i) { return RGB(40 + i * 9, 200 - i * 7, 90 + i * 5); }
inline COLORREF ActiveColour(size_t i) { return ClientColour(i) ^ 0xFFFFFF; }
inline std::wstring ClassOf(size_t i) {
    return kWindows[i].flags & Desktop ? L"Progman" : L"GlimraScene" + std::to_wstring(i);
}

}  // namespace Vorlune::Test::Scene
