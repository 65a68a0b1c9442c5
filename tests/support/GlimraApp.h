#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Capture/ImageFileNamer.h"
#include "Capture/WindowBounds.h"
#include "core/Dpi.h"
#include "MessageBoxWatcher.h"
#include "Process.h"
#include "Scratch.h"
#include "settings/ImageFolder.h"  // IsFolder

namespace Vorlune::Test {

// Settings that start no viewer and paint no cursor, in English.
inline constexpr const wchar_t* kQuietIni = L"[Settings]\r\nClipBoard=2\r\n[Gui]\r\n9=1\r\n13=0\r\n";

// The real Glimra.exe in a temp folder of its own, with its message boxes watched.
class GlimraApp {
public:
    std::wstring AppFolder() const { return temp_.Path() + L"__GLIMRA__\\"; }
    std::wstring IniPath() const { return AppFolder() + L"Glimra.ini"; }
    std::wstring TodaysFolder() const { return AppFolder() + DayFolderName(LocalDateNow()) + L"\\"; }
    // What the program gets as TMP and TEMP.
    const std::wstring& TempFolder() const { return temp_.Path(); }
    // The app folder with ini as its INI file, as Start makes it.
    void Prepare(const std::wstring& ini) const;

    // Starts with ini as its INI file (UTF-16LE with a byte-order mark; none when empty) and waits
    // for the toolbar, false when it did not come; onBox sees each message box while it is up.
    // Unless boxes are expected, the first box fails the next wait at once.
    enum class BoxesAre { Unexpected, Expected };
    bool Start(const std::wstring& ini = {}, BoxesAre boxes = BoxesAre::Unexpected,
               std::function<void(const SeenBox&)> onBox = {});
    // Posts WM_CLOSE and waits for the exit code.
    std::optional<DWORD> Close();

    HWND Window() const { return window_; }
    RECT WindowRect() const { return Vorlune::WindowRect(window_); }
    // On the centre of command button i: posted, so queued behind every click before it, or by
    // the real mouse.
    void Click(int button, bool byMouse = false);
    // The DPI the toolbar is laid out at, for the places of its buttons.
    int dpi = kBaseDpi;
    // The settings dialog once shown, or null: the process's top-level dialogs are it and its boxes.
    HWND WaitDialog();
    // Clicks the settings button; the dialog once shown, or null.
    HWND OpenSettings(bool byMouse = false) {
        Click(4, byMouse);
        return WaitDialog();
    }
    // The toolbar shown again, and no dialog or box of the process left.
    bool ToolbarBack();
    // The overlay of that class once it can take keys: shown in front with its thread idle, the
    // toolbar gone; null when it did not come.
    HWND WaitOverlay(const std::wstring& className);
    Process& Proc() { return *process_; }
    MessageBoxWatcher& Boxes() { return *watcher_; }

private:
    ScratchDir temp_;
    std::unique_ptr<Process> process_;
    std::unique_ptr<MessageBoxWatcher> watcher_;
    HWND window_ = nullptr;
};

// Real mouse input in one queue, as a hand gives it: every event carries its own place.
void Input(DWORD flags, POINT at);
void RealClick(POINT screen);
// A real drag with the left button over area, from its top-left pixel to its bottom-right one.
void RealDrag(const RECT& area);

// Real keys pressed in order and let go in reverse, as a hand gives Ctrl+C.
void PressChord(const std::vector<WORD>& keys);
// A real key, pressed and let go.
inline void PressKey(WORD key) { PressChord({key}); }
// Real wheel notches at a screen point, with a key held unless it is 0; false when the cursor did
// not get there.
bool TurnWheel(POINT at, int notches, WORD held = 0);

// Presses the control id of dialog, posted.
void Press(HWND dialog, int id);
// A control of the dialog's pages, the shown one if several have its id.
HWND PageControl(HWND dialog, int id);

// The value of a key in an INI file, or nothing.
std::optional<std::wstring> IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);

}  // namespace Vorlune::Test
