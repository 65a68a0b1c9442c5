#include "app/CommandDispatch.h"

#include <exception>
#include <optional>
#include <string>

#include "Capture/DesktopCapture.h"
#include "Capture/DwmQueries.h"
#include "Capture/HiddenWindowCapture.h"
#include "Capture/ImageFileNamer.h"
#include "Capture/RectangleCapture.h"
#include "Capture/WindowCapture.h"
#include "app/AppContext.h"
#include "app/HotKeys.h"
#include "draw/ToolTip.h"
#include "settings/ImageFolder.h"
#include "core/ImageNames.h"
#include "settings/SettingsStore.h"
#include "settings_dialog/SettingsWindow.h"
#include "ui/ScreenLeave.h"
#include "ui/WindowVisibility.h"

namespace Vorlune {

namespace {

// The command in progress. Clicks queued meanwhile, or dispatched by the settings dialog's
// own loop, must not start a second one; and a command that fails while it starts brings
// the toolbar back only after its error box, not behind it.
struct Run {
    HWND toolbar = nullptr;
    HWND keyboardOwner = nullptr;  // given the keyboard back at the end; none: the toolbar takes it
    bool running = false;
    bool starting = false;
    bool ended = false;
};
Run run;
std::optional<DWORD> lastEnd;  // the tick of the last command's end
// How long the toolbar and its hint may take to leave the screen before it is frozen.
constexpr DWORD kLeaveMilliseconds = 100;

void ShowToolbar() {
    run.running = false;
    lastEnd = GetTickCount();
    if (run.keyboardOwner == nullptr || !IsWindow(run.keyboardOwner)) {
        ShowWindow(run.toolbar, SW_SHOW);
        return;
    }
    // Back as it was, minimised or not, leaving the keyboard to the program that had it.
    ShowWindow(run.toolbar, SW_SHOWNA);
    SetForegroundWindow(run.keyboardOwner);
}

void OnCommandEnded() {
    if (run.starting)
        run.ended = true;
    else
        ShowToolbar();
}

// The settings dialog. Its hotkey fields must see every key, so the toolbar lets its hotkeys
// go while it is open, and takes them as then stored when it closes.
class SettingsCommand : public ButtonActor {
public:
    explicit SettingsCommand(HWND toolbar) : toolbar_(toolbar), dialog_(toolbar) {}

    void Act(std::function<void()> onFinished) override {
        UnregisterHotKeys();
        dialog_.Act([&] {
            RegisterStoredHotKeys(toolbar_);
            if (onFinished) onFinished();
        });
    }

private:
    HWND toolbar_;
    SettingsWindow dialog_;
};

std::unique_ptr<ButtonActor> MakeActor(CommandIndex index, HWND owner) {
    switch (index) {
        case CommandRectangle: return MakeCaptureMode<RectangleCapture>(owner);
        case CommandRectangleWithMagnifier: return MakeCaptureMode<RectangleCaptureWithMagnifier>(owner);
        case CommandWindowTop: return MakeCaptureMode<WindowCaptureTop>(owner);
        case CommandWindowAll: return MakeCaptureMode<WindowCaptureAll>(owner);
        case CommandHiddenWindowTop: return MakeCaptureMode<HiddenWindowCaptureTop>(owner);
        case CommandHiddenWindowAll: return MakeCaptureMode<HiddenWindowCaptureAll>(owner);
        case CommandDesktop: return MakeCaptureMode<DesktopCapture>(owner);
        case CommandDelayedDesktop: return std::make_unique<DelayedDesktopCapture>(owner);  // no overlay of its own
        case CommandSettings: break;
    }
    return std::make_unique<SettingsCommand>(owner);
}

// False when today's folder is not there to take the images, or its path leaves no room for
// their names: the user is told so now, not after the pick, and sent to the page that sets it.
bool CheckSaveFolder(CommandIndex index, HWND toolbar, const std::wstring& dayFolder) {
    if (index == CommandSettings) return true;
    const bool fits = HoldsEveryImageName(dayFolder);
    if (fits && IsFolder(dayFolder)) return true;
    const std::wstring text =
        App().GetText(fits ? TextSaveFolderNotFound : TextSaveFolderTooLong) + L"\r\n\r\n" + GetSaveFolder();
    MessageBoxW(toolbar, text.c_str(), App().title.c_str(), MB_ICONEXCLAMATION);
    Store().SetString(KeyTreeViewSelectedItemString, App().GetText(TextCapturePage));
    static SettingsCommand folderSettings(toolbar);
    ShowWindow(toolbar, SW_HIDE);
    folderSettings.Act(OnCommandEnded);
    return false;
}

}  // namespace

CommandIndex GetCommandIndex(TextId buttonId) {
    auto variant = [](TextId toggle, CommandIndex first) {
        return static_cast<CommandIndex>(first + (Store().GetToggle(toggle) != 0 ? 1 : 0));
    };
    switch (buttonId) {
        case TextRectangleButton: return variant(TextZoomToggle, CommandRectangle);
        case TextWindowButton: return variant(TextWindowToggle, CommandWindowTop);
        case TextHiddenWindowButton: return variant(TextHiddenWindowToggle, CommandHiddenWindowTop);
        case TextDesktopButton: return variant(TextDelayToggle, CommandDesktop);
        case TextSettingsButton: return CommandSettings;
        default: return CommandRectangle;
    }
}

ButtonActor& CommandTable::Action(CommandIndex index, HWND owner) {
    std::unique_ptr<ButtonActor>& actor = actors_[index];
    if (!actor) actor = MakeActor(index, owner);
    return *actor;
}

CommandTable& Commands() {
    static CommandTable table;
    return table;
}

void RunCommand(const Button& button) { RunCommand(button.Id(), button.Owner(), nullptr); }

void RunHotKeyCommand(TextId buttonId, HWND toolbar, DWORD pressedAt) {
    if (lastEnd && static_cast<LONG>(pressedAt - *lastEnd) < 0) return;
    RunCommand(buttonId, toolbar, GetForegroundWindow());
}

void RunCommand(TextId buttonId, HWND toolbar, HWND keyboardOwner) {
    if (run.running) return;
    run = {toolbar, keyboardOwner, true, true, false};
    // The dialog and the boxes that follow need the mouse.
    ReleaseCapture();
    // A hint left up, or shown later by its worker, would be frozen into the image.
    ScreenLeave leaving;
    leaving.Note(TheToolTip().Window());
    TheToolTip().Hide();
    try {
        const std::wstring dayFolder = MakeDayFolder(GetSaveFolder(), LocalDateNow());
        const CommandIndex index = GetCommandIndex(buttonId);
        if (CheckSaveFolder(index, run.toolbar, dayFolder)) {
            // Glimra keeps the activation until the overlay takes it: no other program may
            // repaint itself as active into the frozen screen, nor raise itself above the overlay.
            leaving.Note(run.toolbar);
            HideKeepingActivation(run.toolbar);
            SystemDwm().Flush();  // where the screen is composed, the next composition is without them
            leaving.Await(kLeaveMilliseconds);  // the toolbar and its hint leave the screen before it is frozen
            Commands().Action(index, run.toolbar).Act(OnCommandEnded);
        }
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
        run.ended = true;
    }
    run.starting = false;
    if (run.ended) ShowToolbar();
}

}  // namespace Vorlune
