#include "Capture/WindowList.h"

#include <algorithm>

#include "Capture/WindowBounds.h"
#include "core/NestedPick.h"
#include "ui/Geometry.h"
#include "Capture/WindowPictures.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

namespace {

struct TopLevelSearch {
    const DwmQueries* dwm;
    std::vector<TopLevelEntry>* windows;
};

BOOL CALLBACK AddTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (IsWindowVisible(window) && !search->dwm->Cloaked(window)) search->windows->push_back({window, {}});
    return TRUE;
}

BOOL CALLBACK AddChild(HWND window, LPARAM param) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

HWND DesktopShell() { return FindWindowW(L"Progman", nullptr); }

}  // namespace

void WindowList::CollectTopLevel() {
    // Costly under Wine: read once, not per window.
    origin_ = TopLeft(VirtualScreenRect());
    windows.clear();
    TopLevelSearch search{dwm_, &windows};
    EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&search));
}

void WindowList::CollectAll() {
    CollectTopLevel();
    const HWND desktop = DesktopShell();
    for (TopLevelEntry& entry : windows)
        if (entry.window != desktop)
            EnumChildWindows(entry.window, AddChild, reinterpret_cast<LPARAM>(&entry.children));
}

RECT WindowList::SnapshotBounds(HWND window) const { return ToSnapshot(GetWindowBounds(window, *dwm_), origin_); }

RECT WindowList::CaptureRect(HWND topLevel, HWND target) const {
    return GetCaptureRect(topLevel, target, *dwm_, origin_);
}

HWND WindowList::HitTest(POINT point) const {
    const int top = FirstContaining(
        windows.size(), [&](size_t i) { return ToCore(SnapshotBounds(windows[i].window)); }, ToCore(point));
    return top == kNoPick ? GetDesktopWindow() : PickWithin(windows[top], point);
}

HWND WindowList::HitTestWithin(HWND top, POINT point) const {
    const TopLevelEntry* entry = Find(top);
    return entry == nullptr ? GetDesktopWindow() : PickWithin(*entry, point);
}

HWND WindowList::PickWithin(const TopLevelEntry& entry, POINT point) const {
    const std::vector<HWND>& children = entry.children;
    if (children.empty()) return entry.window;
    const int child = NestedPick(
        ToCore(WindowRect(entry.window)), children.size(),
        [&](size_t i) { return ToCore(SnapshotBounds(children[i])); },
        [&](size_t i) { return ToCore(WindowRect(children[i])); }, ToCore(point));
    return child == kNoPick ? entry.window : children[child];
}

const TopLevelEntry* WindowList::Find(HWND top) const {
    const auto found =
        std::find_if(windows.begin(), windows.end(), [&](const TopLevelEntry& e) { return e.window == top; });
    return found == windows.end() ? nullptr : &*found;
}

HWND WindowList::FindTopLevelOf(HWND window) const {
    for (const TopLevelEntry& entry : windows)
        if (entry.window == window ||
            std::find(entry.children.begin(), entry.children.end(), window) != entry.children.end())
            return entry.window;
    return nullptr;
}

HWND WindowList::FindOwnedPopup(HWND found) const {
    if (IsWindowEnabled(found)) return nullptr;
    for (const TopLevelEntry& entry : windows)
        if (GetWindow(entry.window, GW_OWNER) == found)
            return CornersOverlap(WindowRect(found), WindowRect(entry.window)) ? entry.window : found;
    return nullptr;
}

HWND WindowList::FirstExceptDesktop(POINT point) const {
    const HWND desktop = DesktopShell();
    const int top = FirstContaining(
        windows.size(),
        [&](size_t i) { return windows[i].window == desktop ? Rect{} : ToCore(SnapshotBounds(windows[i].window)); },
        ToCore(point));
    return top == kNoPick ? nullptr : windows[top].window;
}

void WindowList::CaptureImages(const RECT& screen) {
    images.clear();  // never hold two sets of pictures
    images = PictureWindows(windows, screen, *dwm_);
}

const WindowImage* WindowList::FindImage(HWND window) const {
    for (const WindowImage& image : images)
        if (image.Window() == window) return &image;
    return nullptr;
}

}  // namespace Vorlune
