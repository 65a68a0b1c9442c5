#pragma once
#include <windows.h>

#include "Capture/WindowPick.h"

namespace Vorlune::Test {

// Reads what a window mode holds through member pointers, so it needs no accessors for tests.
struct PickState : WindowPickCapture {
    static HWND Overlay(const WindowPickCapture& m) { return (m.*(&PickState::overlay)).get(); }
    static const ScreenSnapshot& Snapshot(const WindowPickCapture& m) { return *(m.*(&PickState::snapshot)); }
    static HWND HitWindow(const WindowPickCapture& m) { return m.*(&PickState::hitWindow); }
    // In snapshot coordinates, right and bottom outside.
    static RECT Highlight(const WindowPickCapture& m) { return m.*(&PickState::highlight); }
};

}  // namespace Vorlune::Test
